#include "platform/desktop/pngicon.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <vector>

namespace platform::desktop {
namespace {

// Qt's own PNG reader, and only it: left to detect the format, QImageReader asks every image
// plugin whether it reads "png", loading each plugin and the libraries it needs.
struct PngReader : QImageReader {
    explicit PngReader(const QString& file) : QImageReader(file, "png")
    {
        setAutoDetectImageFormat(false);
    }
};

class PngIconEngine : public QIconEngine {
public:
    explicit PngIconEngine(const QStringList& files)
    {
        for (const QString& file : files)
            sizes_.push_back({file, {}, {}});
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const Size& size : measured())
            sizes << size.size;
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const Size* best = bestFor(size);
        return best ? best->size.boundedTo(size) : QSize();
    }

    // Every mode looks the same: the icon marks windows, which are never disabled.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        Size* best = bestFor(size);
        if (!best)
            return {};
        if (best->pixmap.isNull()) {
            best->pixmap = QPixmap::fromImage(PngReader(best->file).read());
            if (best->pixmap.isNull()) { // a header that reads, over data that does not
                sizes_.erase(sizes_.begin() + (best - sizes_.data()));
                return pixmap(size, mode, state);
            }
        }
        if (best->size.width() <= size.width() && best->size.height() <= size.height())
            return best->pixmap;
        return best->pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QIconEngine* clone() const override { return new PngIconEngine(*this); }
    QString key() const override { return QStringLiteral("PngIconEngine"); }

private:
    struct Size {
        QString file;
        QSize size;     // from the file's header, once asked for
        QPixmap pixmap; // decoded, once asked for
    };

    // The sizes, smallest first, read from the files' headers the first time they are needed.
    // A file that is missing or has no readable header is left out, once.
    std::vector<Size>& measured()
    {
        if (!measured_) {
            measured_ = true;
            for (Size& size : sizes_)
                size.size = PngReader(size.file).size();
            std::erase_if(sizes_, [](const Size& size) { return size.size.isEmpty(); });
            std::sort(sizes_.begin(), sizes_.end(),
                      [](const Size& a, const Size& b) { return a.size.width() < b.size.width(); });
        }
        return sizes_;
    }

    // The smallest file at least as large as `size`, or else the largest.
    Size* bestFor(const QSize& size)
    {
        std::vector<Size>& sizes = measured();
        if (sizes.empty())
            return nullptr;
        for (Size& candidate : sizes) {
            if (candidate.size.width() >= size.width() && candidate.size.height() >= size.height())
                return &candidate;
        }
        return &sizes.back();
    }

    std::vector<Size> sizes_;
    bool measured_ = false;
};

} // namespace

QIcon pngIcon(const QStringList& files)
{
    return QIcon(new PngIconEngine(files));
}

} // namespace platform::desktop
