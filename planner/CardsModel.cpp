#include "planner/CardsModel.h"

#include <QBrush>
#include <QFont>
#include <QLineEdit>

#include "common/Layout.h"
#include "core/MoneyText.h"

namespace quenmark {

namespace {

QString Money(double v)
{
    return QLatin1Char('$') + QString::fromStdString(AmountToText(v));
}

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

AmountBox CardsModel::boxOf(int column)
{
    return column == Apr ? AmountBox::Apr : column == Balance ? AmountBox::Balance : AmountBox::Payment;
}

QVariant CardsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& r = m_rows[index.row()];
    const int c = index.column();
    const Result* result = index.row() < m_results.size() ? &m_results[index.row()] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        switch (c) {
        case Name:
            return r.name;
        case Apr:
            return Plain(r.value[0]) + QLatin1Char('%');
        case Balance:
            return Money(r.value[1]);
        case Payment:
            return Money(r.value[2]);
        case Priority:
            return result && result->priority > 0 ? QVariant(result->priority) : QVariant();
        case PaidOff:
            return result ? result->paidOff : QString();
        case Note:
            return result ? result->note : QString();
        }
        break;
    case Qt::EditRole:
        if (c == Name)
            return r.name;
        if (c >= Apr && c <= Payment)
            return r.text[static_cast<std::size_t>(c - Apr)];
        break;
    case Qt::ToolTipRole:
        if (c == Note && result && !result->note.isEmpty())
            return result->note;
        break;
    case Qt::TextAlignmentRole:
        if (c >= Apr && c <= Priority)
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
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case Name:
        return tr("Name");
    case Apr:
        return tr("APR");
    case Balance:
        return tr("Balance");
    case Payment:
        return tr("Monthly payment");
    case Priority:
        return tr("Priority");
    case PaidOff:
        return tr("Paid off");
    case Note:
        return tr("Note");
    }
    return {};
}

Qt::ItemFlags CardsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() <= Payment)
        f |= Qt::ItemIsEditable;
    return f;
}

bool CardsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size() || index.column() > Payment)
        return false;
    Row& r = m_rows[index.row()];
    const QString text = value.toString();
    if (index.column() == Name) {
        const QString name = text.left(kLongestName);
        if (name == r.name)
            return true;
        r.name = name;
    } else {
        const auto k = static_cast<std::size_t>(index.column() - Apr);
        if (text == r.text[k])
            return true;
        r.text[k] = text;
        r.value[k] = ReadAmountBox(text.toStdString(), boxOf(index.column())).value;
    }
    emit dataChanged(index, index);
    emit cardsChanged();
    return true;
}

BoxReading CardsModel::normalize(const QModelIndex& index)
{
    BoxReading reading;
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() < Apr || index.column() > Payment)
        return reading;
    Row& r = m_rows[index.row()];
    const auto k = static_cast<std::size_t>(index.column() - Apr);
    reading = ReadAmountBox(r.text[k].toStdString(), boxOf(index.column()));
    const QString corrected = QString::fromStdString(reading.text);
    const bool valueChanged = reading.value != r.value[k];
    if (corrected != r.text[k] || valueChanged) {
        r.text[k] = corrected;
        r.value[k] = reading.value;
        emit dataChanged(index, index);
        if (valueChanged)
            emit cardsChanged();
    }
    return reading;
}

QString CardsModel::defaultName() const
{
    // The first "Card N" not yet in the list.
    for (int n = static_cast<int>(m_rows.size()) + 1;; ++n) {
        const QString name = tr("Card %1").arg(n);
        bool taken = false;
        for (const Row& r : m_rows)
            taken = taken || r.name == name;
        if (!taken)
            return name;
    }
}

int CardsModel::addCard(const QString& name)
{
    if (static_cast<std::size_t>(m_rows.size()) >= kMostPlanCards)
        return -1;
    const int row = static_cast<int>(m_rows.size());
    beginInsertRows({}, row, row);
    Row r;
    r.name = name.isEmpty() ? defaultName() : name.left(kLongestName);
    r.text = {QStringLiteral("0.00"), QStringLiteral("0.00"), QStringLiteral("0.00")};
    m_rows.append(r);
    endInsertRows();
    emit cardsChanged();
    return row;
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
    emit cardsChanged();
}

bool CardsModel::moveCard(int row, int delta)
{
    const int to = row + delta;
    if (row < 0 || row >= m_rows.size() || to < 0 || to >= m_rows.size() || delta == 0)
        return false;
    // beginMoveRows counts the destination before the move.
    if (!beginMoveRows({}, row, row, {}, delta > 0 ? to + 1 : to))
        return false;
    m_rows.move(row, to);
    if (row < m_results.size() && to < m_results.size())
        m_results.move(row, to);
    endMoveRows();
    emit cardsChanged();
    return true;
}

QList<StoredCard> CardsModel::stored() const
{
    QList<StoredCard> out;
    for (const Row& r : m_rows)
        out.append({r.name, r.value[0], r.value[1], r.value[2]});
    return out;
}

void CardsModel::setStored(const QList<StoredCard>& cards)
{
    beginResetModel();
    m_rows.clear();
    m_results.clear();
    for (const StoredCard& c : cards) {
        Row r;
        r.name = c.name.left(kLongestName);
        r.value = {c.apr, c.balance, c.payment};
        r.text = {Plain(c.apr), Plain(c.balance), Plain(c.payment)};
        m_rows.append(r);
    }
    endResetModel();
    emit cardsChanged();
}

std::vector<PlanCard> CardsModel::cards() const
{
    std::vector<PlanCard> out;
    out.reserve(static_cast<std::size_t>(m_rows.size()));
    for (const Row& r : m_rows)
        out.push_back(PlanCard::FromDollars(r.value[0], r.value[1], r.value[2]));
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

QString CardsModel::name(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    const QString n = m_rows[row].name.trimmed();
    return n.isEmpty() ? tr("Card %1").arg(row + 1) : m_rows[row].name;
}

void CardsModel::setResults(const QList<Result>& results)
{
    m_results = results;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, Priority), index(static_cast<int>(m_rows.size()) - 1, Note));
}

// ---- the delegate -------------------------------------------------------------------

QWidget* CardsDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (index.column() == CardsModel::Name)
            edit->setMaxLength(CardsModel::kLongestName);
        // Which card and which of its figures, as a sighted user sees from the row and the column.
        const QString header = index.model()->headerData(index.column(), Qt::Horizontal).toString();
        const QString card = index.siblingAtColumn(CardsModel::Name).data().toString();
        edit->setAccessibleName(index.column() == CardsModel::Name || card.trimmed().isEmpty()
                                    ? header
                                    : tr("%1, %2").arg(card, header));
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            emit const_cast<CardsDelegate*>(this)->commitData(edit);
        });
    }
    return editor;
}

void CardsDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // The model echoes every keystroke back: leave the editor (and its cursor) alone then.
    if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && edit->text() == index.data(Qt::EditRole).toString())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void CardsDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    QStyledItemDelegate::destroyEditor(editor, index);
    if (index.isValid())
        emit cellEdited(index);
}

} // namespace quenmark
