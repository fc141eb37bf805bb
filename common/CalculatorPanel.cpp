#include "common/CalculatorPanel.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "common/Announce.h"
#include "common/BoxAccessible.h"
#include "common/Layout.h"
#include "common/LessonFrame.h"

namespace quenmark {

namespace {

// The four boxes' object names and captions (the captions are also the boxes' spoken names).
struct InputName
{
    const char* label;
    const char* box;
    const char* caption;
};
constexpr InputName kInputNames[4] = {
    {"LabelName", "EditName", QT_TRANSLATE_NOOP("quenmark::CalculatorPanel", "Creditor Name")},
    {"LabelAPR", "EditApr", QT_TRANSLATE_NOOP("quenmark::CalculatorPanel", "Annual Percentage Rate")},
    {"LabelBal", "EditBal", QT_TRANSLATE_NOOP("quenmark::CalculatorPanel", "Current Balance")},
    {"LabelPmt", "EditPmt", QT_TRANSLATE_NOOP("quenmark::CalculatorPanel", "Monthly Payment")},
};

ResultBox** fieldOf(PayoffDisplay& d, ResultField field)
{
    switch (field) {
    case ResultField::Years:
        return &d.years;
    case ResultField::Months:
        return &d.months;
    case ResultField::Payments:
        return &d.payments;
    case ResultField::Interest:
        return &d.interest;
    case ResultField::Money:
        return &d.money;
    case ResultField::Average:
        return &d.average;
    case ResultField::Saved:
        return &d.saved;
    case ResultField::None:
        break;
    }
    return nullptr;
}

} // namespace

CalculatorPanel::CalculatorPanel(LessonFrame* window, CalculatorKind kind)
    : m_window(window), m_kind(kind), m_surface(window), m_runner(window)
{
}

CalculatorPanel::~CalculatorPanel() = default;

QPushButton* CalculatorPanel::button(QWidget* page, const char* objectName, const QString& words,
                                     const QRect& rect)
{
    auto* b = new QPushButton(words, page);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setGeometry(rect);
    b->setAutoDefault(false); // Enter keeps turning pages
    return b;
}

void CalculatorPanel::addInputs(QWidget* page, const CalculatorInputs& spec)
{
    for (std::size_t i = 0; i < std::size(kInputNames); ++i) {
        const QString caption = tr(kInputNames[i].caption);
        auto* label = new ClickLabel(caption, page);
        label->setObjectName(QString::fromLatin1(kInputNames[i].label));
        label->setGeometry(spec.labels[i]);
        label->setFont(arialPx(spec.labelPx, true));
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(kInputNames[i].box));
        tellWholeLine(edit);
        edit->setGeometry(spec.boxes[i]);
        edit->setFont(arialPx(13));
        edit->setAccessibleName(caption);
        label->setBuddy(edit);
        // A click on the words puts the focus into their box.
        connect(label, &ClickLabel::clicked, this, [edit] { edit->setFocus(Qt::MouseFocusReason); });
        m_labels[i] = label;
        m_edits[i] = edit;
        edit->installEventFilter(this); // the focus told to a screen reader first
    }
    m_boxes = new AmountBoxes(m_window, m_edits[1], m_edits[2], m_edits[3], m_kind);
    m_boxes->setParent(this);
}

void CalculatorPanel::addCalculate(QWidget* page, const char* objectName, const QRect& rect)
{
    m_calculate = button(page, objectName, tr("Calculate"), rect);
}

void CalculatorPanel::addStop(QWidget* page, const QRect& rect)
{
    m_stop = button(page, "BtnStop", tr("Stop"), rect);
}

void CalculatorPanel::addAbortNotice(QWidget* page, const QRect& rect)
{
    m_abort = makeCell(page, {.name = "LblAbort",
                              .rect = rect,
                              .text = tr(" ** Calculation Aborted by User ** "),
                              .background = colour::maroon,
                              .foreground = QColor(255, 255, 160),
                              .fontPx = 13,
                              .bold = true,
                              .align = Qt::AlignCenter});
}

PayoffDisplay CalculatorPanel::addResults(QWidget* page, const ResultPanelSpec& spec)
{
    auto words = [&spec](const char* text) { return QCoreApplication::translate(spec.context, text); };
    auto named = [&spec](const char* name) { return QByteArray(name) + spec.suffix; };
    const QString spoken = spec.spokenPanel ? words(spec.spokenPanel) + QStringLiteral(": ") : QString();

    QWidget* panel = makeCell(
        page, {.name = spec.name, .rect = spec.rect, .background = colour::teal, .kind = CellKind::Panel});
    PayoffDisplay d;
    d.surface = &m_surface;
    d.gauge = makeGauge(spec.gaugeOnPage ? page : panel, named(spec.gaugeName).constData(), spec.gaugeRect,
                        spoken + words(spec.gaugeSpoken));
    for (const ResultItem& item : spec.items) {
        const QByteArray name = named(item.name);
        if (ResultBox** field = fieldOf(d, item.field)) {
            *field = makeResultBox(panel, name.constData(), item.rect, spoken + words(item.text));
            continue;
        }
        makeCell(panel, {.name = name.constData(),
                         .rect = item.rect,
                         .text = words(item.text),
                         .foreground = colour::white,
                         .fontPx = 13,
                         .bold = true,
                         .align = item.align});
    }
    m_panels.push_back({d, spec.spokenPanel ? words(spec.spokenPanel) : QString()});
    return d;
}

void CalculatorPanel::finish()
{
    m_runner.setSurface(&m_surface);
    m_runner.setStopButton(m_stop);
    QList<QWidget*> locked{m_calculate};
    for (const char* name : {"BtnQuit", "BtnContents", "BtnBack", "BtnNextChapt"})
        if (QPushButton* b = m_window->frameButton(name))
            locked.append(b);
    m_runner.setLockedDuringRun(locked);
    connect(m_stop, &QPushButton::clicked, this, &CalculatorPanel::stop);

    // Tab: name, APR, balance, payment, Calculate (then Stop while it shows),
    // then the results, read-only: reached by Tab only, so a click changes nothing.
    QList<QWidget*> chain{m_edits[1], m_edits[2], m_edits[3], m_calculate, m_stop};
    for (const ShownPanel& panel : m_panels) {
        const PayoffDisplay& d = panel.display;
        for (ResultBox* box : {d.years, d.months, d.payments, d.interest, d.money, d.average, d.saved}) {
            if (box) {
                box->setFocusPolicy(Qt::TabFocus);
                chain.append(box);
            }
        }
    }
    QWidget* previous = m_edits[0];
    for (QWidget* next : chain) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    m_runner.onRunsEnded = [this] { announceSummary(); };
}

QString CalculatorPanel::summary() const
{
    const bool aborted = m_abort && !m_abort->isHidden();
    QStringList parts;
    if (aborted)
        parts << tr("Calculation aborted by user.");
    auto text = [](const ResultBox* box) { return box ? box->text() : QString(); };
    auto count = [](const QString& n, const QString& one, const QString& many) {
        return n + QLatin1Char(' ') + (n == QLatin1String("1") ? one : many);
    };
    for (const ShownPanel& panel : m_panels) {
        const PayoffDisplay& d = panel.display;
        if (text(d.years).isEmpty() && text(d.payments).isEmpty())
            continue; // nothing shown on this panel
        QStringList figures;
        const QString time = count(text(d.years), tr("year"), tr("years")) + QLatin1Char(' ')
                             + count(text(d.months), tr("month"), tr("months"));
        figures << (aborted ? tr("after %1").arg(time) : tr("paid off in %1").arg(time));
        figures << count(text(d.payments), tr("payment"), tr("payments"));
        if (!text(d.interest).isEmpty())
            figures << tr("interest %1").arg(text(d.interest));
        if (!text(d.money).isEmpty())
            figures << tr("money paid %1").arg(text(d.money));
        if (!text(d.average).isEmpty())
            figures << tr("average payment %1").arg(text(d.average));
        QString sentence = figures.join(QStringLiteral(", ")) + QLatin1Char('.');
        if (panel.spoken.isEmpty())
            sentence[0] = sentence[0].toUpper();
        else
            sentence = panel.spoken + QStringLiteral(": ") + sentence;
        parts << sentence;
        if (!text(d.saved).isEmpty())
            parts << tr("Money saved: %1.").arg(text(d.saved));
    }
    return parts.join(QLatin1Char(' '));
}

void CalculatorPanel::announceSummary()
{
    for (const ShownPanel& panel : m_panels) {
        const PayoffDisplay& d = panel.display;
        for (ResultBox* box : {d.years, d.months, d.payments, d.interest, d.money, d.average, d.saved})
            if (box)
                box->nameChanged();
        if (d.gauge)
            d.gauge->valueChanged();
    }
    announce(m_window, summary());
}

void CalculatorPanel::reset()
{
    m_abort->hide();
    m_stop->hide();
    m_boxes->reset();
}

void CalculatorPanel::focusFirstBox()
{
    m_edits[0]->setFocus(Qt::OtherFocusReason);
}

bool CalculatorPanel::readAndCheck(const std::function<void()>& alsoRead)
{
    if (m_runner.running())
        return false;
    if (m_abort->isVisible())
        m_abort->hide();
    m_boxes->readAll();
    if (alsoRead)
        alsoRead();
    return m_boxes->checkPayment();
}

PayoffRunner::Outcome
CalculatorPanel::run(const PayoffDisplay& display, const PayoffOptions& options,
                     const std::function<void(const PayoffState&, ChangedFields&)>& alsoWrite)
{
    const PayoffRunner::Outcome outcome =
        m_runner.run(m_boxes->apr(), m_boxes->balance(), m_boxes->payment(), options,
                     [display, alsoWrite](const PayoffState& state) {
                         ChangedFields changed;
                         display.write(state, changed);
                         if (alsoWrite)
                             alsoWrite(state, changed);
                         display.draw(changed);
                     });
    if (outcome == PayoffRunner::Outcome::Finished)
        emit finished(m_runner.lastState());
    return outcome;
}

void CalculatorPanel::showResult(const PayoffDisplay& display, const PayoffState& state)
{
    display.show(state);
    m_surface.flush();
    emit finished(state);
    announceSummary();
}

void CalculatorPanel::readOnLeaving(QWidget* control)
{
    control->installEventFilter(this);
}

bool CalculatorPanel::eventFilter(QObject* watched, QEvent* event)
{
    const bool isBox = std::find(m_edits.begin(), m_edits.end(), watched) != m_edits.end();
    if (isBox && event->type() == QEvent::FocusIn) {
        // A box that takes the focus moves its cursor and selects its text,
        // and Qt tells of that before it tells of the focus: a screen reader
        // then takes the box for focused already and says nothing. (Telling
        // of the focus twice is no cure: the first of two alike is dropped.)
        // Once the focus is told, the cursor and selection are told again, so
        // the earlier word on them is outdated and the focus is what counts.
        auto* box = static_cast<QLineEdit*>(watched);
        QMetaObject::invokeMethod(
            box,
            [box] {
                if (!box->hasFocus())
                    return;
                const int cursor = box->cursorPosition();
                const int start = box->hasSelectedText() ? box->selectionStart() : cursor;
                const int end = box->hasSelectedText() ? box->selectionEnd() : cursor;
                QAccessibleTextSelectionEvent selection(box, start, end);
                selection.setCursorPosition(cursor);
                QAccessible::updateAccessibility(&selection);
                QAccessibleTextCursorEvent moved(box, cursor);
                QAccessible::updateAccessibility(&moved);
            },
            Qt::QueuedConnection);
    }
    if (!isBox && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            emit left(static_cast<QWidget*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

void CalculatorPanel::stop()
{
    m_abort->show();
    m_runner.requestStop();
    emit stopped();
}

} // namespace quenmark
