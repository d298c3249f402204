#include "devhost/RowsOutput.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "devhost/WindowRows.h"

namespace devhost {

QByteArray rowsAsText(QWidget* window) {
    const WindowRows rows = WindowRows::of(window);
    QByteArray text;
    for (std::size_t i = 0; i < rows.values.size(); ++i) {
        text += rows.captions[static_cast<int>(i)].toUtf8() + ' ' +
                rows.values[i]->text().toUtf8() + '\n';
    }
    return text;
}

QByteArray rowsAsJson(QWidget* window) {
    const WindowRows rows = WindowRows::of(window);
    QJsonObject object;
    for (std::size_t i = 0; i < rows.values.size(); ++i) {
        QString caption = rows.captions[static_cast<int>(i)];
        if (caption.endsWith(':')) {
            caption.chop(1);
        }
        object.insert(caption, rows.values[i]->text());
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

}  // namespace devhost
