// Typing into boxes as a user would, generated text of every kind for the
// calculators' fuzz tests (digits, signs, exponents, a thousand digits,
// letters, "nan", "inf", unicode digits and marks), and what the boxes and
// results must show after any of it.
#pragma once

#include <QLineEdit>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtTest>
#include <random>

namespace quenmark::test {

// Focus, select all, type (characters without a key of their own arrive as text).
inline void typeInto(QLineEdit* e, const QString& s)
{
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    if (s.isEmpty())
        QTest::keyClick(e, Qt::Key_Delete);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(e, c.toLatin1());
        } else {
            const qsizetype n = (c.isHighSurrogate() && i + 1 < s.size()) ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, s.mid(i, n), Qt::NoModifier);
            i += n - 1;
        }
    }
}

// Short texts are typed, long ones set at once (typing 1,000 digits is slow).
inline void enterText(QLineEdit* e, const QString& s)
{
    if (s.size() < 40)
        typeInto(e, s);
    else
        e->setText(s);
}

// The APR, balance and payment boxes after they were read: two decimals each,
// no sign, no separators, the APR at most 30.
inline bool boxesReadBack(const QStringList& aprBalancePayment)
{
    static const QRegularExpression twoDecimals(QStringLiteral("^\\d+\\.\\d\\d$"));
    for (const QString& t : aprBalancePayment)
        if (!twoDecimals.match(t).hasMatch())
            return false;
    return aprBalancePayment.value(0).toDouble() <= 30.0;
}

// No text shows a non-finite number ("inf", "nan").
inline bool allFinite(const QStringList& texts)
{
    static const QRegularExpression nonFinite(QStringLiteral("inf|nan"), QRegularExpression::CaseInsensitiveOption);
    for (const QString& t : texts)
        if (nonFinite.match(t).hasMatch())
            return false;
    return true;
}

class TypedTextGenerator
{
public:
    explicit TypedTextGenerator(unsigned seed) : m_rng(seed) {}

    int pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }

    QString next()
    {
        static const QStringList pieces{
            "0", "1", "7", "9", ".", ",", "-", "+", "e", "E", "e+", "e-", "$", "%", " ", "a", "Z", "x",
            "nan", "inf", "Infinity", "0x1F", "1e308", "1e-308", "\u0661\u0662", "\uff11\uff12", "\u00bd",
            "\u2212", "\U0001F4B3", "\u0301", "\u00a0", "30.005", "999999999999.99", "2601", "100000"};
        QString s;
        switch (pick(6)) {
        case 0: // a thousand-digit run, maybe with a point, sign or exponent
            s = QString(1 + pick(1000), QLatin1Char('0' + static_cast<char>(1 + pick(9))));
            if (pick(2))
                s.insert(pick(static_cast<int>(s.size())), QLatin1Char('.'));
            if (pick(2))
                s.prepend(pick(2) ? QLatin1Char('-') : QLatin1Char('+'));
            if (pick(3) == 0)
                s += QStringLiteral("e") + QString::number(pick(700) - 350);
            break;
        case 1: // small plain numbers
            s = QString::number(pick(100000) / 100.0, 'f', pick(4));
            break;
        default: // pieces glued together
            for (int n = 1 + pick(6); n > 0; --n)
                s += pieces[pick(static_cast<int>(pieces.size()))];
            break;
        }
        return s;
    }

private:
    std::mt19937 m_rng;
};

} // namespace quenmark::test
