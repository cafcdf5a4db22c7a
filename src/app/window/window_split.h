#pragma once

#include <QSplitter>
#include <functional>

namespace lumera::app {

// A widget that places its children itself, from its size, whenever that changes.
class PlacingWidget : public QWidget {
public:
    using Place = std::function<void(QSize)>;
    explicit PlacingWidget(Place place, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Place place_;
};

// The split between the section table above and the lower part: its first two child widgets,
// in the order made. Of the height beyond both sides' smallest, the lower side takes
// lowerShare(); dragging the bar sets the share, which holds while the window changes size.
class WindowSplit : public QSplitter {
    Q_OBJECT

public:
    static constexpr double kDefaultLowerShare = 0.25;

    explicit WindowSplit(QWidget* parent);

    double lowerShare() const { return lowerShare_; }
    // Clamped to 0..1.
    void setLowerShare(double share);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The height beyond both sides' smallest and the bar.
    int SpareHeight() const;
    void ApplyShare();
    void FollowBar();

    double lowerShare_ = kDefaultLowerShare;
};

}  // namespace lumera::app
