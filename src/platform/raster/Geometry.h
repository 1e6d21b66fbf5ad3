#pragma once
// Small value types for positions, sizes and rectangles in pixels.

namespace tilvaro {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int cx = 0, cy = 0;
  bool operator==(const Size&) const = default;
};

// Half-open: covers left <= x < right, top <= y < bottom, like the platform's rectangles.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;

  static constexpr Rect FromSize(int x, int y, int width, int height) {
    return Rect{x, y, x + width, y + height};
  }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr Point TopLeft() const { return Point{left, top}; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr Rect Offset(int dx, int dy) const {
    return Rect{left + dx, top + dy, right + dx, bottom + dy};
  }
  // Intersection; an empty result is normalised to (0,0,0,0).
  constexpr Rect Intersect(const Rect& o) const {
    Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
           right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
    return r.IsEmpty() ? Rect{} : r;
  }
  bool operator==(const Rect&) const = default;
};

}  // namespace tilvaro
