#include "reader/engine/TextSelection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sumberlaras {

namespace {

double distanceToRect(const TPdfPoint& p, const TPdfRect& r) {
    const double left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
    const double bottom = std::min(r.Bottom, r.Top), top = std::max(r.Bottom, r.Top);
    const double dx = p.X < left ? left - p.X : (p.X > right ? p.X - right : 0);
    const double dy = p.Y < bottom ? bottom - p.Y : (p.Y > top ? p.Y - top : 0);
    return std::hypot(dx, dy);
}

} // namespace

bool rectContains(const TPdfRect& r, const TPdfPoint& p) {
    return p.X >= std::min(r.Left, r.Right) && p.X <= std::max(r.Left, r.Right) &&
           p.Y >= std::min(r.Bottom, r.Top) && p.Y <= std::max(r.Bottom, r.Top);
}

int nearestChar(const std::vector<std::optional<TPdfRect>>& boxes, const TPdfPoint& point,
                double* distance) {
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!boxes[i])
            continue;
        const double d = distanceToRect(point, *boxes[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    if (distance)
        *distance = bestDistance;
    return best;
}

void TextSelection::setChars(PageChars chars) {
    chars_ = std::move(chars);
}

int TextSelection::nearest(const TPdfPoint& point, double* distance) const {
    if (!chars_) {
        if (distance)
            *distance = std::numeric_limits<double>::infinity();
        return -1;
    }
    return nearestChar(chars_->boxes, point, distance);
}

void TextSelection::press(const TPdfPoint& point, bool doubleClick, Millis now,
                          Millis doubleClickTime) {
    const int index = nearest(point);
    if (index < 0)
        return;
    if (doubleClick) {
        const CharRange word = wordAround(chars_->text, index);
        range_ = {word.first, word.last, true};
        lineWindowWord_ = word;
        lineWindowEnd_ = now + doubleClickTime;
        extendByRange_ = true;
    } else if (lineWindowEnd_ && now <= *lineWindowEnd_ && insideRange(point, lineWindowWord_)) {
        const CharRange line = lineAround(chars_->text, index);
        range_ = {line.first, line.last, true};
        lineWindowEnd_.reset();
        extendByRange_ = true;
    } else {
        lineWindowEnd_.reset();
        extendByRange_ = false;
        pressPoint_ = point;
        range_ = {index, index, false};
    }
    selecting_ = true;
}

void TextSelection::drag(const TPdfPoint& point) {
    if (!selecting_)
        return;
    const int index = nearest(point);
    if (index < 0)
        return;
    if (extendByRange_) {
        // A word or line stays selected whole; dragging past it extends from its far end.
        const int low = std::min(range_.start, range_.stop);
        const int high = std::max(range_.start, range_.stop);
        if (index < low)
            range_ = {high, index, true};
        else if (index > high)
            range_ = {low, index, true};
        return;
    }
    bool active = true;
    if (index == range_.start)
        active = insideChar(pressPoint_, index) != insideChar(point, index);
    range_ = {range_.start, index, active};
}

void TextSelection::release(const TPdfPoint& point) {
    if (!selecting_)
        return;
    drag(point);
    selecting_ = false;
}

void TextSelection::cancel() {
    selecting_ = false;
    range_ = {};
}

void TextSelection::selectAll(int charCount) {
    if (charCount > 0)
        range_ = {0, charCount - 1, true};
}

void TextSelection::clear() {
    range_ = {};
}

int TextSelection::first() const {
    return range_.active ? std::min(range_.start, range_.stop) : 0;
}

int TextSelection::length() const {
    return range_.active ? std::abs(range_.stop - range_.start) + 1 : 0;
}

bool TextSelection::insideChar(const TPdfPoint& point, int index) const {
    if (!chars_ || index < 0 || index >= static_cast<int>(chars_->boxes.size()))
        return false;
    const auto& box = chars_->boxes[static_cast<size_t>(index)];
    return box && rectContains(*box, point);
}

bool TextSelection::insideRange(const TPdfPoint& point, const CharRange& range) const {
    for (int i = range.first; i <= range.last; ++i)
        if (insideChar(point, i))
            return true;
    return false;
}

} // namespace sumberlaras
