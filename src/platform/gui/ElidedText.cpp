#include "platform/gui/ElidedText.h"

#include <QEvent>
#include <QLabel>

namespace platform {

namespace {

// Kept by the label as its child; found again by its object name.
class LabelElision : public QObject
{
public:
    explicit LabelElision(QLabel* label) : QObject(label), m_label(label)
    {
        setObjectName(QStringLiteral("vintrax_elision"));
        // The layout gives the label the room that is left and never its text's width: an elided text that
        // asked for less room would otherwise shrink the label and be elided again, down to nothing.
        QSizePolicy policy = label->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        label->setSizePolicy(policy);
        label->installEventFilter(this);
    }

    void show(const QString& text, Qt::TextElideMode mode)
    {
        m_whole = text;
        m_mode = mode;
        m_label->setToolTip(text);
        elide();
    }

    const QString& whole() const { return m_whole; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_label && event->type() == QEvent::Resize)
            elide();
        return false;
    }

private:
    void elide()
    {
        // A label not laid out yet has no width of its own: it keeps the whole text until it gets one.
        const int room = m_label->contentsRect().width() - 2 * m_label->margin() - m_label->indent();
        const bool laidOut = m_label->testAttribute(Qt::WA_WState_Visible) || m_label->testAttribute(Qt::WA_Resized);
        m_label->setText(laidOut ? m_label->fontMetrics().elidedText(m_whole, m_mode, std::max(room, 0)) : m_whole);
    }

    QLabel* m_label;
    QString m_whole;
    Qt::TextElideMode m_mode = Qt::ElideMiddle;
};

LabelElision* elisionOf(const QLabel* label)
{
    return label->findChild<LabelElision*>(QStringLiteral("vintrax_elision"), Qt::FindDirectChildrenOnly);
}

} // namespace

void setElidedText(QLabel* label, const QString& text, Qt::TextElideMode mode)
{
    LabelElision* elision = elisionOf(label);
    if (!elision)
        elision = new LabelElision(label);
    elision->show(text, mode);
}

QString wholeText(const QLabel* label)
{
    const LabelElision* elision = elisionOf(label);
    return elision ? elision->whole() : label->text();
}

} // namespace platform
