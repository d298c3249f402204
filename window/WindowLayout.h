#pragma once

#include <array>

#include <QString>

class QLabel;
class QVBoxLayout;
class QWidget;

namespace Vantrel {

// The six rows of the information window, top to bottom.
inline constexpr int kRowCount = 6;

// Where the window's changing parts are, once its contents are built.
struct WindowLayout {
    QVBoxLayout* topLayout;
    std::array<QLabel*, kRowCount> valueLabels;
};

// Every user-visible text goes through this before it is shown.
using Translate = QString (*)(const char* text);

// Builds the contents of `window` once: the title, a fixed-size top layout
// holding a grid of six captions with an empty boxed value label beside each,
// and an expanding spacer below them. Everything belongs to the window.
WindowLayout buildWindowLayout(QWidget& window, Translate translate);

}  // namespace Vantrel
