#pragma once

#include <QString>

// One column of a record list: the caption in the header, the query field it
// shows and its starting width in pixels.
struct GridColumn {
    QString caption;
    QString field;
    int width = 100;
};
