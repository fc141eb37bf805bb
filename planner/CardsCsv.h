// Cards in and out of My Cards as a plan file (the `--plan` CSV format of
// quenmark-payoff, core/PlanCsv.h): import reads an ordinary file of bounded
// size with the core's strict reader and names the line and column of the
// first fault in words; export writes the cards through the checked writer
// (planner/SafeFile.h), never reporting a save that failed.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "planner/CardStore.h"

class QWidget;

namespace quenmark {

// Plan files larger than this are not read.
inline constexpr qint64 kLargestCardsCsv = 16 * 1024 * 1024;

struct CardsFromCsv
{
    bool ok = false;
    QList<StoredCard> cards;
    QString error;   // what is wrong, in words, naming the line and the column
    int line = 0;    // the line at fault (0: none, or not a line's fault)
    QString column;  // the column at fault, as the header names it
};

// Reads plan-file text.
CardsFromCsv ReadCardsCsv(QByteArrayView text);
// Reads the plan file at `path` (only an ordinary file of at most kLargestCardsCsv bytes).
CardsFromCsv ImportCardsCsv(const QString& path);

// The cards as a plan file (the optional columns only when a card needs them;
// a card without a name is written as the window names it, "Card N").
QByteArray CardsCsvText(const QList<StoredCard>& cards);
// Writes them to `path`; false with the reason in words when that fails (the
// file at `path` is then untouched).
bool ExportCardsCsv(const QString& path, const QList<StoredCard>& cards, QString* error = nullptr);

enum class ImportChoice { Add, Replace, Cancel };

// Asks, through the platform layer, whether the imported cards are added to
// the existing ones or replace them (with no existing cards: Replace, unasked).
ImportChoice AskAddOrReplace(QWidget* parent, int imported, int existing);
// The list after the import; false with the reason in words when adding would
// pass kMostPlanCards (the list is then untouched).
bool CombineImported(const QList<StoredCard>& existing, const QList<StoredCard>& imported, ImportChoice choice,
                     QList<StoredCard>& result, QString* why = nullptr);

// The whole import as the window runs it: reads `path`, asks add or replace,
// and gives the new list. Imported: `result` holds it; Cancelled: the user
// chose neither; Failed: `error` says why (the file's fault or too many cards).
enum class ImportOutcome { Imported, Cancelled, Failed };
ImportOutcome ImportCards(QWidget* parent, const QString& path, const QList<StoredCard>& existing,
                          QList<StoredCard>& result, QString* error = nullptr);

} // namespace quenmark
