#include "planner/CardsModel.h"

#include <QBrush>
#include <QFont>
#include <algorithm>

#include "common/Layout.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/PlanInput.h"
#include "planner/MinimumRuleEditor.h"
#include "planner/PlanInputs.h"
#include "planner/PlanText.h"

namespace quenmark {

namespace {

enum class Kind { Text, Rate, Money, Months, Rule, Result };

// One column: its heading, the words its heading's tip adds, what it reads and
// where a typed value lives in StoredCard.
struct ColumnSpec
{
    const char* heading;
    const char* tip;
    Kind kind;
    double StoredCard::*field;
};

#define CARDS_TR(text) QT_TRANSLATE_NOOP("quenmark::CardsModel", text)
const ColumnSpec kColumns[CardsModel::ColumnCount] = {
    {CARDS_TR("Name"), CARDS_TR("The card's name, as you like to call it"), Kind::Text, nullptr},
    {CARDS_TR("APR"), CARDS_TR("The card's Annual Percentage Rate, 0 to 99.99"), Kind::Rate, &StoredCard::apr},
    {CARDS_TR("Balance"), CARDS_TR("What the card owes today"), Kind::Money, &StoredCard::balance},
    {CARDS_TR("Monthly payment"), CARDS_TR("What you pay on the card each month"), Kind::Money, &StoredCard::payment},
    {CARDS_TR("Promo APR"), CARDS_TR("A promotional APR for the first months of the plan (such as 0 for a 0 % offer)"),
     Kind::Rate, &StoredCard::promoApr},
    {CARDS_TR("Promo months"),
     CARDS_TR("How many months, from the plan's first, the promotional APR lasts (empty or 0: no promotion)"),
     Kind::Months, nullptr},
    {CARDS_TR("Payment rule"),
     CARDS_TR("Fixed payment, or the statement's minimum: a percentage of the balance with a floor, such as "
              "\"2 % or $20.00\" or \"1 % plus interest or $25.00\"; the card pays the greater of it and its payment"),
     Kind::Rule, nullptr},
    {CARDS_TR("Priority"), CARDS_TR("Where the card stands in the payoff order: the extra money goes to 1 first"),
     Kind::Result, nullptr},
    {CARDS_TR("Paid off"), CARDS_TR("The month the plan pays the card off"), Kind::Result, nullptr},
    {CARDS_TR("Note"), CARDS_TR("A warning when the card's own payment can never pay it off"), Kind::Result, nullptr},
};
#undef CARDS_TR

QString Plain(double v)
{
    return QString::fromStdString(PlainTwoDecimals(v));
}

} // namespace

CardsModel::CardsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int CardsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CardsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool CardsModel::isInput(int column)
{
    return column >= 0 && column < ColumnCount && kColumns[column].kind != Kind::Result;
}

QString CardsModel::shown(const StoredCard& card, int column) const
{
    const ColumnSpec& spec = kColumns[column];
    switch (spec.kind) {
    case Kind::Text:
        return card.name;
    case Kind::Rate:
        // No promotion: the promotional rate's cell stays empty.
        if (column == PromoApr && card.promoMonths <= 0 && card.promoApr == 0)
            return {};
        return Plain(card.*spec.field) + QLatin1Char('%');
    case Kind::Money:
        return PlanText::money(card.*spec.field);
    case Kind::Months:
        return card.promoMonths > 0 ? QString::number(card.promoMonths) : QString();
    case Kind::Rule:
        return MinimumRuleText(MinimumRule::of(card));
    case Kind::Result:
        break;
    }
    return {};
}

QVariant CardsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= ColumnCount)
        return {};
    const StoredCard& card = m_rows[index.row()];
    const int c = index.column();
    const ColumnSpec& spec = kColumns[c];
    const Result* result = index.row() < m_results.size() ? &m_results[index.row()] : nullptr;
    auto display = [&]() -> QString {
        if (spec.kind != Kind::Result)
            return shown(card, c);
        if (!result)
            return {};
        return c == Priority ? (result->priority > 0 ? QString::number(result->priority) : QString())
               : c == PaidOff ? result->paidOff
                              : result->note;
    };
    switch (role) {
    case Qt::DisplayRole:
        if (c == Priority)
            return result && result->priority > 0 ? QVariant(result->priority) : QVariant();
        return display();
    case Qt::EditRole:
        if (spec.kind == Kind::Text)
            return card.name;
        if (spec.kind == Kind::Months || spec.kind == Kind::Rule || c == PromoApr)
            return shown(card, c).remove(QLatin1Char('%'));
        if (spec.field)
            return Plain(card.*spec.field);
        break;
    case Qt::AccessibleTextRole: {
        // Read with its column, as a sighted user sees it under its heading.
        const QString value = display();
        return tr("%1, %2").arg(tr(spec.heading), value.isEmpty() ? tr("none") : value);
    }
    case Qt::AccessibleDescriptionRole:
        return c == Name ? QString() : name(index.row());
    case Qt::ToolTipRole:
        if (c == Note && result && !result->note.isEmpty())
            return result->note;
        if (c == Rule)
            return MinimumRuleSentence(MinimumRule::of(card));
        break;
    case Qt::TextAlignmentRole:
        if (spec.kind == Kind::Rate || spec.kind == Kind::Money || spec.kind == Kind::Months || c == Priority)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Qt::ForegroundRole:
        if (c == Note && result && result->warning)
            return QBrush(colour::maroon);
        break;
    case Qt::FontRole:
        if (c == Note && result && result->warning) {
            QFont f;
            f.setBold(true);
            return f;
        }
        break;
    default:
        break;
    }
    return {};
}

QVariant CardsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return tr(kColumns[section].heading);
    if (role == Qt::ToolTipRole)
        return tr(kColumns[section].tip);
    return {};
}

Qt::ItemFlags CardsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isInput(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

QString CardsModel::readCell(StoredCard& card, int column, const QString& text)
{
    if (!isInput(column))
        return tr("This column is worked out by the plan.");
    const ColumnSpec& spec = kColumns[column];
    if (spec.kind == Kind::Text) {
        card.name = text.left(kLongestName);
        return {};
    }
    if (spec.kind == Kind::Rule) {
        MinimumRule rule;
        QString why;
        if (!ParseMinimumRule(text, rule, &why))
            return why;
        rule.applyTo(card);
        return {};
    }
    if (spec.kind == Kind::Months) {
        if (text.trimmed().isEmpty()) {
            card.promoMonths = 0;
            return {};
        }
        const PlanReading reading = text.size() > static_cast<qsizetype>(kLongestPlanInput)
                                        ? PlanReading{PlanInputError::TooLong, 0}
                                        : ReadPlanCount(text.trimmed().toStdString(), CardStore::kMostPromoMonths);
        if (!reading.ok())
            return PlanText::refusal(text, reading.error, PlanValue::Count);
        card.promoMonths = static_cast<int>(reading.value);
        return {};
    }
    // An emptied cell is 0, as nothing owed or nothing paid.
    if (text.trimmed().isEmpty()) {
        card.*spec.field = 0;
        return {};
    }
    const PlanValue kind = spec.kind == Kind::Rate ? PlanValue::Apr : PlanValue::Money;
    const PlanReading reading = ReadPlanValue(text.toStdString(), kind);
    if (!reading.ok())
        return PlanText::refusal(text, reading.error, kind);
    card.*spec.field = FromCents(reading.value);
    return {};
}

bool CardsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size() || !isInput(index.column()))
        return false;
    StoredCard card = m_rows[index.row()];
    const QString why = readCell(card, index.column(), value.toString());
    if (!why.isEmpty()) {
        emit refused(index, why);
        return false;
    }
    if (card == m_rows[index.row()])
        return true;
    if (m_editHandler)
        m_editHandler(index.row(), card);
    else
        setCard(index.row(), card);
    return true;
}

void CardsModel::setEditHandler(std::function<void(int, const StoredCard&)> handler)
{
    m_editHandler = std::move(handler);
}

StoredCard CardsModel::card(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row] : StoredCard{};
}

void CardsModel::setCard(int row, const StoredCard& card)
{
    if (row < 0 || row >= m_rows.size() || m_rows[row] == card)
        return;
    m_rows[row] = card;
    m_rows[row].name = card.name.left(kLongestName);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void CardsModel::insertCard(int row, const StoredCard& card)
{
    row = std::clamp(row, 0, static_cast<int>(m_rows.size()));
    beginInsertRows({}, row, row);
    m_rows.insert(row, card);
    m_rows[row].name = card.name.left(kLongestName);
    if (row <= m_results.size())
        m_results.insert(row, Result{});
    endInsertRows();
}

void CardsModel::removeCard(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    if (row < m_results.size())
        m_results.removeAt(row);
    endRemoveRows();
}

bool CardsModel::moveCard(int row, int to)
{
    const int n = static_cast<int>(m_rows.size());
    if (row < 0 || row >= n || to < 0 || to >= n || row == to)
        return false;
    // beginMoveRows counts the destination before the move.
    if (!beginMoveRows({}, row, row, {}, to > row ? to + 1 : to))
        return false;
    m_rows.move(row, to);
    if (row < m_results.size() && to < m_results.size())
        m_results.move(row, to);
    endMoveRows();
    return true;
}

QString CardsModel::newCardName() const
{
    for (int n = static_cast<int>(m_rows.size()) + 1;; ++n) {
        const QString candidate = tr("Card %1").arg(n);
        bool taken = false;
        for (const StoredCard& c : m_rows)
            taken = taken || c.name == candidate;
        if (!taken)
            return candidate;
    }
}

QList<StoredCard> CardsModel::stored() const
{
    return m_rows;
}

void CardsModel::setStored(const QList<StoredCard>& cards)
{
    beginResetModel();
    m_rows = cards;
    for (StoredCard& c : m_rows)
        c.name = c.name.left(kLongestName);
    m_results.clear();
    endResetModel();
}

std::vector<PlanCard> CardsModel::cards() const
{
    std::vector<PlanCard> out;
    out.reserve(static_cast<std::size_t>(m_rows.size()));
    for (const StoredCard& c : m_rows)
        out.push_back(ToPlanCard(c));
    return out;
}

std::vector<std::string> CardsModel::names() const
{
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(m_rows.size()));
    for (int i = 0; i < m_rows.size(); ++i)
        out.push_back(name(i).toStdString());
    return out;
}

QStringList CardsModel::shownNames() const
{
    QStringList out;
    out.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        out << name(i);
    return out;
}

QString CardsModel::name(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows[row].name.trimmed().isEmpty() ? tr("Card %1").arg(row + 1) : m_rows[row].name;
}

QString CardsModel::widestText(int column) const
{
    if (column == Rule || column == PromoMonths) {
        QString widest;
        for (const StoredCard& c : m_rows) {
            const QString text = shown(c, column);
            if (text.size() > widest.size())
                widest = text;
        }
        return widest;
    }
    if (column < 0 || column >= ColumnCount || !kColumns[column].field)
        return {};
    // Figures are as wide as their digits: the largest value's text is the widest.
    const ColumnSpec& spec = kColumns[column];
    double largest = 0;
    for (const StoredCard& c : m_rows)
        largest = std::max(largest, c.*spec.field);
    StoredCard probe;
    probe.*spec.field = largest;
    return shown(probe, column);
}

void CardsModel::setResults(const QList<Result>& results)
{
    const int n = static_cast<int>(m_rows.size());
    QList<std::pair<int, int>> changed; // runs of rows whose result changed
    for (int i = 0; i < n; ++i) {
        const bool same = i < m_results.size() && i < results.size() && m_results[i] == results[i];
        if (same)
            continue;
        if (!changed.isEmpty() && changed.last().second == i - 1)
            changed.last().second = i;
        else
            changed.append({i, i});
    }
    m_results = results;
    for (const auto& [from, to] : changed)
        emit dataChanged(index(from, Priority), index(to, Note));
}

} // namespace quenmark
