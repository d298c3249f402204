#include "window/WindowLayout.h"

#include <memory>

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QSizePolicy>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWidget>

namespace Vantrel {

namespace {

// Marked for the translation tools under the plug-in class's context.
const char* const kWindowTitle = QT_TRANSLATE_NOOP("Vantrel::FileInfoPlugin", "Video Information");

const char* const kRowCaptions[kRowCount] = {
    QT_TRANSLATE_NOOP("Vantrel::FileInfoPlugin", "Video Render:"),
    QT_TRANSLATE_NOOP("Vantrel::FileInfoPlugin", "Video Decoder:"),
    QT_TRANSLATE_NOOP("Vantrel::FileInfoPlugin", "Video Format:"),
    QT_TRANSLATE_NOOP("Vantrel::FileInfoPlugin", "Audio Render:"),
    QT_TRANSLATE_NOOP("Vantrel::FileInfoPlugin", "Audio Decoder:"),
    QT_TRANSLATE_NOOP("Vantrel::FileInfoPlugin", "Audio Format:"),
};

}  // namespace

WindowLayout buildWindowLayout(QWidget& window, Translate translate) {
    WindowLayout built{};
    window.setWindowTitle(translate(kWindowTitle));

    // The fixed-size constraint makes the window take exactly the size its
    // contents ask for: the user cannot resize it, and it grows and shrinks
    // with the texts in the value boxes.
    built.topLayout = new QVBoxLayout(&window);
    built.topLayout->setSizeConstraint(QLayout::SetFixedSize);

    // Owned here until the top layout adopts it at the end.
    auto grid = std::make_unique<QGridLayout>();

    for (int row = 0; row < kRowCount; ++row) {
        grid->addWidget(new QLabel(translate(kRowCaptions[row]), &window), row, 0);
    }

    for (QLabel*& value : built.valueLabels) {
        value = new QLabel(&window);
        value->setFrameStyle(QFrame::Box | QFrame::Plain);
        value->setLineWidth(1);
    }
    for (int row = 0; row < kRowCount; ++row) {
        grid->addWidget(built.valueLabels[row], row, 1);
    }

    auto spacer =
        std::make_unique<QSpacerItem>(1, 1, QSizePolicy::Expanding, QSizePolicy::Expanding);
    grid->addItem(spacer.release(), kRowCount, 0, 1, 2);

    built.topLayout->addLayout(grid.release(), 0);
    return built;
}

}  // namespace Vantrel
