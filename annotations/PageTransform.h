#pragma once

namespace sumberlaras::annotations {

// Device space: pixels of the view, y downwards. Page space: PDF points from
// the page's lower-left corner, y upwards.
struct DevicePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DevicePoint&) const = default;
};
struct PagePoint {
    double x = 0;
    double y = 0;
    bool operator==(const PagePoint&) const = default;
};
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

// A rectangle in page space as the page's text gives it: for an upright page
// top is greater than bottom.
struct PageBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    bool operator==(const PageBox&) const = default;
};

// Where the shown page lies in the view, as the annotation rules see it: the
// page view implements it, tests give a fixed one.
class PageTransform {
public:
    virtual ~PageTransform() = default;
    virtual PagePoint DeviceToPage(int x, int y) const = 0;
    virtual DevicePoint PageToDevice(double pageX, double pageY) const = 0;
    virtual DeviceRect PageRect() const = 0;
    virtual int PageIndex() const = 0;
};

} // namespace sumberlaras::annotations
