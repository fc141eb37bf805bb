#include "common/CalculatorPanel.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
        edit->setGeometry(spec.boxes[i]);
        edit->setFont(arialPx(13));
        edit->setAccessibleName(caption);
        label->setBuddy(edit);
        // A click on the words puts the focus into their box.
        connect(label, &ClickLabel::clicked, this, [edit] { edit->setFocus(Qt::MouseFocusReason); });
        m_labels[i] = label;
        m_edits[i] = edit;
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

    // Tab: name, APR, balance, payment, Calculate (then Stop while it shows).
    QWidget* previous = m_edits[0];
    for (QWidget* next : {static_cast<QWidget*>(m_edits[1]), static_cast<QWidget*>(m_edits[2]),
                          static_cast<QWidget*>(m_edits[3]), static_cast<QWidget*>(m_calculate),
                          static_cast<QWidget*>(m_stop)}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
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
}

void CalculatorPanel::readOnLeaving(QWidget* control)
{
    control->installEventFilter(this);
}

bool CalculatorPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
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
