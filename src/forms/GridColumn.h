#pragma once

#include <QString>
#include <QVariant>
#include <functional>

// One column of a record list: the caption in the header, the query field it
// shows and its starting width in pixels.
struct GridColumn {
    QString caption;
    QString field;
    int width = 100;
    // How a stored value is shown when the column's type alone does not say
    // (a code shown as its name). Given the value as the query holds it.
    std::function<QString(const QVariant& value)> display = {};
};
