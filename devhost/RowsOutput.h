#pragma once

#include <QByteArray>

class QWidget;

namespace devhost {

// The window's six rows as "Caption: value" lines, one a row.
QByteArray rowsAsText(QWidget* window);

// The same as one JSON object: each caption, without its colon, names its
// value.
QByteArray rowsAsJson(QWidget* window);

}  // namespace devhost
