#pragma once

#include <QObject>
#include <QVariant>

// The integer tag of a control or window: 0 unless set. The generic editor
// reads special bindings from it, and -1 on an editor window means copy mode.
class ControlTag {
public:
    static int of(const QObject* object) { return object->property("pelTag").toInt(); }

    static void set(QObject* object, int tag) { object->setProperty("pelTag", tag); }
};
