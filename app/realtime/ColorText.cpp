#include "ColorText.h"

#include <QStringList>

QString colorToString(const QColor& color) {
    return QString("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue());
}

QColor stringToColor(const QVariant& text) {
    // QSettings splits an unquoted INI value at its commas; join it back into one text.
    const QString joined =
        text.userType() == QMetaType::QStringList ? text.toStringList().join(',') : text.toString();
    const QStringList pieces = joined.split(',');
    if (pieces.size() < 3) {
        return QColor();
    }
    int components[3];
    for (int i = 0; i < 3; ++i) {
        components[i] = pieces[i].trimmed().toInt();  // not a number: 0
        if (components[i] < 0 || components[i] > 255) {
            return QColor();
        }
    }
    return QColor(components[0], components[1], components[2], 255);
}
