#include "forms/FontMapper.h"

#include <QStringList>

void FontMapper::install()
{
    const QStringList ming = {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Noto Sans CJK SC")};
    const QStringList kaiFaces = {QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC"),
                                  QStringLiteral("Noto Sans CJK SC")};
    const QStringList clerical = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UKai CN"),
                                  QStringLiteral("Noto Sans CJK SC")};
    for (const QString& name : {song(), QStringLiteral("SimSun"), QStringLiteral("新宋体")}) {
        QFont::insertSubstitutions(name, ming);
    }
    for (const QString& name : {kai(), QStringLiteral("楷体"), QStringLiteral("KaiTi"), xingkai()}) {
        QFont::insertSubstitutions(name, kaiFaces);
    }
    QFont::insertSubstitutions(lishu(), clerical);
}

QFont FontMapper::font(const QString& family, int pixelSize, bool bold)
{
    QFont result(family);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    return result;
}
