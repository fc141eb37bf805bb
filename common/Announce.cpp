#include "common/Announce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <algorithm>

namespace quenmark {

namespace {

const QString kObjectName = QStringLiteral("Announcement");

// The status object reads as a notification named by its words.
class AnnouncementAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncementAccessible(Announcement* a) : QAccessibleWidget(a, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<Announcement*>(widget())->words();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* roleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("quenmark::Announcement"))
        return new AnnouncementAccessible(static_cast<Announcement*>(object));
    if (className == QLatin1String("QFrame")) {
        auto* frame = static_cast<QWidget*>(object);
        if (!frame->isWindow())
            return new QAccessibleWidget(frame, QAccessible::Pane);
    }
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(roleFactory);
        return true;
    }();
    (void)installed;
}

Announcement::Announcement(QWidget* window) : QWidget(window)
{
    installAccessibleRoles();
    setObjectName(kObjectName);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide(); // never drawn: only its accessible events count
}

void Announcement::say(const QString& words)
{
    // Sent whether or not a screen reader listens now (cheap: a few events
    // per page turn, run or read-out), so what is said can be checked.
    m_words = words;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    // Shown anew: a screen reader speaks a notification that appears.
    QAccessibleEvent hidden(this, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

Announcement* announcementOf(const QWidget* window)
{
    return window ? window->findChild<Announcement*>(kObjectName, Qt::FindDirectChildrenOnly) : nullptr;
}

void announce(QWidget* from, const QString& words)
{
    if (!from || words.trimmed().isEmpty())
        return;
    QWidget* window = from->window();
    Announcement* a = announcementOf(window);
    if (!a)
        a = new Announcement(window);
    a->say(words.simplified());
}

QString shownWords(const QWidget* area)
{
    if (!area)
        return QString();
    QList<const QLabel*> labels;
    if (auto* l = qobject_cast<const QLabel*>(area))
        labels.append(l);
    for (const QLabel* l : area->findChildren<QLabel*>())
        if (l->isVisibleTo(area))
            labels.append(l);
    auto at = [area](const QLabel* l) { return l == area ? QPoint() : l->mapTo(area, QPoint(0, 0)); };
    std::stable_sort(labels.begin(), labels.end(), [&](const QLabel* a, const QLabel* b) {
        const QPoint pa = at(a), pb = at(b);
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    QStringList words;
    for (const QLabel* l : labels) {
        const QString t = l->text();
        const QString plain = Qt::mightBeRichText(t) ? QTextDocumentFragment::fromHtml(t).toPlainText() : t;
        if (!plain.trimmed().isEmpty())
            words << plain.simplified();
    }
    return words.join(QLatin1Char(' '));
}

QString firstSentence(const QString& text)
{
    QString plain = Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    plain = plain.simplified();
    static const QRegularExpression end(QStringLiteral("[.!?:](\\s|$)"));
    const QRegularExpressionMatch m = end.match(plain);
    if (m.hasMatch())
        plain = plain.left(m.capturedStart() + 1);
    constexpr int kMost = 200;
    if (plain.size() > kMost) {
        const int cut = plain.lastIndexOf(QLatin1Char(' '), kMost);
        plain = plain.left(cut > 0 ? cut : kMost) + QStringLiteral(" …");
    }
    return plain;
}

} // namespace quenmark
