#include "editing/gui/EditorForms.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace editing {

namespace {
constexpr int kTwipsPerPixel = 15;
constexpr int kInnerWidthTwips = 5655;
constexpr int kInnerHeightTwips = 2460;
} // namespace

void setEditorSize(QDialog* dialog)
{
    const QSize designed(kInnerWidthTwips / kTwipsPerPixel, kInnerHeightTwips / kTwipsPerPixel);
    dialog->resize(designed.expandedTo(dialog->sizeHint()));
}

QPushButton* editorButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace editing
