#include "shell/pointers.h"

#include <QPixmap>
#include <QStringList>

#include <array>
#include <optional>

namespace qv {
namespace {

// Indexed by pointer number; slot 0 is unused.
constexpr std::array<const char*, LastPointer + 1> names{
    nullptr,     "PENCIL",       "CURSOR_1",       "CURSOR_13", "CURSOR_3",  "CURSOR_4",
    "MAG_GLASS", "CURSOR_7",     "CURSOR_8",       "CURSOR_9",  "CURSOR_10", "CURSOR_11",
    "CURSOR_12", "OPENHAND_CUR", "CLOSEDHAND_CUR", "ARROWH"};

struct Loaded {
    QImage image;
    QPoint hotSpot;
};

// "x,y" inside the image; otherwise the centre, which is where a pointer drawn
// without a stated hot spot most likely points.
QPoint parseHotSpot(const QImage& image) {
    const QStringList parts = image.text(QStringLiteral("HotSpot")).split(QLatin1Char(','));
    if (parts.size() == 2) {
        bool okX = false;
        bool okY = false;
        const int x = parts[0].trimmed().toInt(&okX);
        const int y = parts[1].trimmed().toInt(&okY);
        if (okX && okY && image.rect().contains(x, y)) return {x, y};
    }
    return image.rect().center();
}

// The images are kept rather than the cursors: a QImage outlives the application
// object safely, a cached QCursor would not.
const Loaded& loaded(int number) {
    static std::array<std::optional<Loaded>, LastPointer + 1> cache;
    static const Loaded none;
    const char* name = pointerName(number);
    if (!name) return none;
    std::optional<Loaded>& slot = cache[static_cast<std::size_t>(number)];
    if (!slot) {
        QImage image(QStringLiteral(":/shell/pointers/%1.png").arg(QLatin1String(name)));
        if (!image.isNull()) image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QPoint hot = image.isNull() ? QPoint() : parseHotSpot(image);
        slot = Loaded{image, hot};
    }
    return *slot;
}

} // namespace

const char* pointerName(int number) {
    if (number < FirstPointer || number > LastPointer) return nullptr;
    return names[static_cast<std::size_t>(number)];
}

QImage pointerImage(int number) {
    return loaded(number).image;
}

QPoint pointerHotSpot(int number) {
    return loaded(number).hotSpot;
}

QCursor programPointer(int number) {
    const Loaded& pointer = loaded(number);
    if (pointer.image.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(pointer.image), pointer.hotSpot.x(), pointer.hotSpot.y());
}

} // namespace qv
