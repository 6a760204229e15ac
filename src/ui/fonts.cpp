#include "fonts.h"

#include <QHash>
#include <QStringList>

namespace ui {
namespace {

// Substitutes in order of preference; the first one installed is used. Each
// keeps the designed texts inside their rectangles.
QStringList familiesFor(std::string_view family)
{
    const QString requested = QString::fromUtf8(family.data(), qsizetype(family.size()));
    if (requested == QLatin1String("MS Sans Serif"))
        return {requested, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                QStringLiteral("Arimo"), QStringLiteral("Arial"), QStringLiteral("Helvetica")};
    if (requested == QLatin1String("Comic Sans MS"))
        return {requested, QStringLiteral("Comic Neue"), QStringLiteral("Comic Relief")};
    return {requested};
}

}  // namespace

const QFont& font(const FontSpec& spec)
{
    static QHash<QString, QFont> cache;
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(QString::fromUtf8(spec.family.data(), qsizetype(spec.family.size())))
                            .arg(spec.points)
                            .arg(spec.bold)
                            .arg(spec.underline);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QFont f;
        f.setFamilies(familiesFor(spec.family));
        f.setPointSizeF(spec.points);
        f.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
        f.setUnderline(spec.underline);
        it = cache.insert(key, f);
    }
    return *it;
}

}  // namespace ui
