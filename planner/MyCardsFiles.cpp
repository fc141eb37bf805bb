// My Cards and its files: reading the cards at start, saving them after every
// change (a failure told in words, a file another program changed never
// overwritten unasked), the schedule as CSV, the cards imported from and
// exported to a plan file, the plan printed or saved as PDF, closing, and the
// one window of the program.
#include "planner/MyCards.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QUndoStack>
#include <utility>

#include "common/Platform.h"
#include "core/PlanCsv.h"
#include "core/SampleCards.h"
#include "planner/BalanceChart.h"
#include "planner/CardsCsv.h"
#include "planner/CardsLock.h"
#include "planner/CardsModel.h"
#include "planner/CardsView.h"
#include "planner/PlanDocument.h"
#include "planner/PlanPrinter.h"
#include "planner/SafeFile.h"

namespace quenmark {

namespace {

// Chapter 8's five sample cards, in card order: what a first run starts with.
const StoredPlan& SamplePlan()
{
    static const StoredPlan sample = [] {
        StoredPlan p;
        for (const SampleCard& sample : kSampleCards) {
            StoredCard c;
            c.name = QStringLiteral("Card %1").arg(sample.number);
            c.apr = sample.apr;
            c.balance = sample.balance;
            c.payment = sample.payment;
            p.cards.append(c);
        }
        p.pledge = 25;
        p.order = PlanOrder::HighestApr;
        return p;
    }();
    return sample;
}

} // namespace

void MyCardsWindow::loadStored()
{
    const CardStore::Loaded loaded = m_store.load();
    const StoredPlan& plan = loaded.status == CardStore::Status::NoFile ? SamplePlan() : loaded.plan;
    m_loading = true; // what was read is not written back
    m_doc->load(plan);
    m_loading = false;
    m_hint->setVisible(loaded.status == CardStore::Status::NoFile);
    if (!loaded.message.isEmpty()) {
        setStatus(loaded.message, Status::Kept);
        m_pendingMessage = loaded.message;
    }
    if (cardsModel()->rowCount() > 0)
        m_cardsView->setCurrentIndex(cardsModel()->index(0, CardsModel::Name));
    updateButtons();
}

void MyCardsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_pendingMessage.isEmpty()) {
        const QString message = std::exchange(m_pendingMessage, QString());
        QTimer::singleShot(0, this, [this, message] {
            platform().beep();
            platform().showMessage(this, Platform::MessageIcon::Information, message);
        });
    }
}

bool MyCardsWindow::saveNow()
{
    const CardStore::SaveResult result = trySave();
    if (result != CardStore::SaveResult::ChangedElsewhere)
        return result == CardStore::SaveResult::Saved;
    // Asked once the change that saved has finished (an answer may reload the table).
    if (!m_askingAboutChanges) {
        m_askingAboutChanges = true;
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && trySave() == CardStore::SaveResult::ChangedElsewhere)
                settleChangedFile();
            m_askingAboutChanges = false;
        });
    }
    return false;
}

CardStore::SaveResult MyCardsWindow::trySave(QString* failure)
{
    QString error;
    const CardStore::SaveResult result = m_store.save(m_doc->stored(), &error);
    if (result == CardStore::SaveResult::Failed)
        sayNotSaved(error, failure);
    else if (result == CardStore::SaveResult::ChangedElsewhere)
        setStatus(tr("Your cards were not saved: another program changed %1 since My Cards read it.")
                      .arg(QDir::toNativeSeparators(m_store.path())),
                  Status::Saving);
    else if (m_statusKind == Status::Saving)
        setStatus({});
    return result;
}

void MyCardsWindow::sayNotSaved(const QString& error, QString* failure)
{
    const QString notSaved = tr("Your cards could not be saved: %1.").arg(error);
    setStatus(notSaved + QLatin1Char(' ') + tr("They stay in this window and are saved again at your next change."),
              Status::Saving);
    if (failure)
        *failure = notSaved;
}

CardStore::SaveResult MyCardsWindow::settleChangedFile(QString* failure)
{
    const QString file = QDir::toNativeSeparators(m_store.path());
    const int answer = platform().question(
        this,
        tr("Another program changed %1 since My Cards read it.\n\nKeep Mine saves the cards of this window and keeps "
           "the other program's file aside as a copy. Reload Theirs shows the cards the other program saved and "
           "drops the changes made in this window.").arg(file),
        {tr("Keep Mine"), tr("Reload Theirs"), tr("Decide Later")});
    if (answer == 0) {
        QString keptAs, error;
        const CardStore::SaveResult kept = m_store.saveKeepingTheirsAside(m_doc->stored(), &keptAs, &error);
        if (kept == CardStore::SaveResult::Failed)
            sayNotSaved(error, failure);
        if (kept != CardStore::SaveResult::Saved)
            return kept;
        setStatus(keptAs.isEmpty() ? QString()
                                   : tr("Your cards were saved; what the other program saved was kept as %1.")
                                         .arg(QDir::toNativeSeparators(keptAs)),
                  Status::Kept);
        return CardStore::SaveResult::Saved;
    }
    if (answer == 1) {
        setStatus({});
        loadStored();
        if (!m_pendingMessage.isEmpty()) {
            platform().beep();
            platform().showMessage(this, Platform::MessageIcon::Information, std::exchange(m_pendingMessage, {}));
        }
        return CardStore::SaveResult::Saved;
    }
    return CardStore::SaveResult::ChangedElsewhere;
}

void MyCardsWindow::BtnSaveCsvClick()
{
    const QString path = chooseCsvPath
                             ? chooseCsvPath(this)
                             : QFileDialog::getSaveFileName(this, tr("Save the schedule"),
                                                            QDir::home().filePath(QStringLiteral("my-cards-schedule.csv")),
                                                            tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        exportSchedule(path);
}

bool MyCardsWindow::exportSchedule(const QString& path)
{
    // The cards as they are (not a preview), with their schedule.
    const PlanInputs in = m_doc->inputs();
    const std::shared_ptr<const PlanResult> plan = m_work.plan(in, true);
    std::string csv;
    AppendScheduleCsv(csv, *plan, cardsModel()->names(), in.start); // each row with its calendar month
    QString error;
    if (!WriteFileSafely(path, QByteArrayView(csv.data(), static_cast<qsizetype>(csv.size())), &error)) {
        const QString message = tr("The schedule could not be saved: %1.").arg(error);
        setStatus(message);
        platform().beep();
        platform().showMessage(this, Platform::MessageIcon::Error, message);
        return false;
    }
    setStatus(tr("The schedule was saved as %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

void MyCardsWindow::tellFailure(const QString& message)
{
    setStatus(message);
    platform().beep();
    platform().showMessage(this, Platform::MessageIcon::Error, message);
}

void MyCardsWindow::BtnImportClick()
{
    const QString path = platform().chooseFile(this, false, tr("Import cards from a plan file"), QDir::homePath(),
                                               tr("Plan files (*.csv);;All files (*)"));
    if (!path.isEmpty())
        importCards(path);
}

bool MyCardsWindow::importCards(const QString& path)
{
    QList<StoredCard> cards;
    QString error;
    switch (ImportCards(this, path, cardsModel()->stored(), cards, &error)) {
    case ImportOutcome::Cancelled:
        return false;
    case ImportOutcome::Failed:
        tellFailure(tr("No cards were imported from %1: %2").arg(QDir::toNativeSeparators(path), error));
        return false;
    case ImportOutcome::Imported:
        break;
    }
    m_doc->replaceCards(cards, tr("import cards"));
    setStatus(tr("The cards of %1 were imported (Undo takes them back).").arg(QDir::toNativeSeparators(path)));
    return true;
}

void MyCardsWindow::BtnExportClick()
{
    const QString path = platform().chooseFile(this, true, tr("Export the cards as a plan file"),
                                               QDir::home().filePath(QStringLiteral("my-cards.csv")),
                                               tr("Plan files (*.csv)"));
    if (!path.isEmpty())
        exportCards(path);
}

bool MyCardsWindow::exportCards(const QString& path)
{
    QString error;
    if (!ExportCardsCsv(path, cardsModel()->stored(), &error)) {
        tellFailure(tr("The cards could not be exported: %1.").arg(error));
        return false;
    }
    setStatus(tr("The cards were exported as %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

PrintablePlan MyCardsWindow::printable()
{
    // The cards as they are (not a preview), with the schedule.
    const PlanInputs in = m_doc->inputs();
    PrintablePlan p;
    p.plan = m_work.plan(in, true);
    p.comparison = m_work.comparison(in);
    p.order = in.order;
    p.names = cardsModel()->shownNames();
    p.start = in.start;
    p.budget = in.budget;
    // The chart paints itself into the page, showing the plan printed.
    m_chart->setPlan(p.plan, p.names, FirstDayOf(in.start));
    m_chart->setChanges(in.budget);
    p.paintChart = PaintWidgetInto(m_chart);
    return p;
}

void MyCardsWindow::BtnPrintClick()
{
    const PlanPrinter printer(printable());
    QString error;
    if (!PrintPlanWithDialog(this, printer, &error) && !error.isEmpty())
        tellFailure(tr("The plan could not be printed: %1.").arg(error));
    showPlan(currentInputs());
}

void MyCardsWindow::BtnSavePdfClick()
{
    const QString path = platform().chooseFile(this, true, tr("Save the plan as PDF"),
                                               QDir::home().filePath(QStringLiteral("my-cards-plan.pdf")),
                                               tr("PDF files (*.pdf)"));
    if (!path.isEmpty())
        savePdf(path);
}

bool MyCardsWindow::savePdf(const QString& path)
{
    const PlanPrinter printer(printable());
    QString error;
    const bool saved = printer.savePdf(path, &error);
    showPlan(currentInputs()); // the chart goes back to the plan shown
    if (!saved) {
        tellFailure(tr("The plan could not be saved as PDF: %1.").arg(error));
        return false;
    }
    setStatus(tr("The plan was saved as %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

void MyCardsWindow::closeEvent(QCloseEvent* event)
{
    // An edit still open is committed first; then the last chance to keep the
    // cards: none are dropped without a word.
    if (QWidget* editor = m_cardsView->indexWidget(m_cardsView->currentIndex()))
        editor->clearFocus();
    for (;;) {
        QString failure;
        CardStore::SaveResult result = trySave(&failure);
        if (result == CardStore::SaveResult::ChangedElsewhere)
            result = settleChangedFile(&failure);
        if (result == CardStore::SaveResult::Saved)
            break;
        if (result == CardStore::SaveResult::ChangedElsewhere)
            return event->ignore(); // decided later: the window stays
        platform().beep();
        const int answer = platform().question(
            this, failure + QLatin1Char(' ') +
                      tr("Try again (after making room, for instance), or close and lose the changes made since "
                         "the last save?"),
            {tr("Try Again"), tr("Close Without Saving"), tr("Cancel")});
        if (answer == 1)
            break;
        if (answer != 0)
            return event->ignore();
    }
    QWidget::closeEvent(event);
}

bool MyCardsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Hide && isVisible())
        close();
    return QWidget::eventFilter(watched, event);
}

MyCardsWindow* ShowMyCards(QWidget* owner, const QString& storePath)
{
    static QPointer<MyCardsWindow> window;
    if (!window) {
        const QString path = storePath.isEmpty() ? CardStore::defaultPath() : storePath;
        // One window at a time keeps the cards, in this process or another.
        CardsLock::Attempt attempt = CardsLock::take(path);
        if (attempt.outcome == CardsLock::Outcome::ShownElsewhere)
            return nullptr;
        if (attempt.outcome == CardsLock::Outcome::OpenElsewhere) {
            platform().beep();
            platform().showMessage(owner, Platform::MessageIcon::Information, attempt.message);
            return nullptr;
        }
        window = new MyCardsWindow(owner, path);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (attempt.lock) {
            CardsLock* lock = attempt.lock.release();
            lock->setParent(window);
            QObject::connect(lock, &CardsLock::showRequested, window, [] { ShowMyCards(nullptr); });
        }
        if (owner)
            owner->installEventFilter(window);
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace quenmark
