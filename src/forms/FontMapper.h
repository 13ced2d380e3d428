#pragma once

#include <QFont>

// The windows are designed with the classic Chinese Windows fonts; each name
// is mapped to an installed CJK font of the same style, so the text renders as
// real Chinese type (Ming for 宋体, Kai for 楷体 and the calligraphic faces).
class FontMapper {
public:
    static void install();
    static QFont font(const QString& family, int pixelSize, bool bold = false);

    static QString song() { return QStringLiteral("宋体"); }

    static QString kai() { return QStringLiteral("楷体_GB2312"); }

    static QString xingkai() { return QStringLiteral("华文行楷"); }

    static QString lishu() { return QStringLiteral("隶书"); }
};
