#include "contour/legend.h"

#include <algorithm>

namespace orbisk {

namespace {

// count rows spread evenly over n entries, first and last included.
std::vector<std::size_t> SpreadRows(std::size_t n, std::size_t count) {
  std::vector<std::size_t> rows;
  if (count >= n) count = n;
  for (std::size_t i = 0; i < count; ++i)
    rows.push_back(count == 1 ? 0 : (i * (n - 1) + (count - 1) / 2) / (count - 1));
  return rows;
}

}  // namespace

LegendLayout LayoutLegend(const std::vector<LegendEntry>& entries, Canvas& canvas, int width, int height,
                          bool ratioLabelShown) {
  LegendLayout layout;
  if (entries.empty()) return layout;
  const int textHeight = canvas.TextHeight();
  layout.rowHeight = textHeight + kLegendRowGap;
  layout.top = ratioLabelShown ? 5 + textHeight + kLegendMargin : kLegendMargin;
  const int fitting = (height - layout.top - kLegendMargin + kLegendRowGap) / std::max(layout.rowHeight, 1);
  if (fitting <= 0) return LegendLayout{};
  layout.rows = SpreadRows(entries.size(), static_cast<std::size_t>(fitting));
  int textWidth = 0;
  for (std::size_t row : layout.rows) textWidth = std::max(textWidth, canvas.TextWidth(entries[row].text));
  layout.stripWidth = kLegendMargin + kLegendStroke + kLegendTextGap + textWidth + kLegendMargin;
  if (layout.stripWidth > width / 2) return LegendLayout{};
  layout.left = width - layout.stripWidth + kLegendMargin;
  return layout;
}

void DrawLegend(Canvas& canvas, const std::vector<LegendEntry>& entries, const LegendLayout& layout) {
  const int textHeight = layout.rowHeight - kLegendRowGap;
  for (std::size_t i = 0; i < layout.rows.size(); ++i) {
    const LegendEntry& entry = entries[layout.rows[i]];
    const int top = layout.top + static_cast<int>(i) * layout.rowHeight;
    canvas.SetPen(entry.color, kLegendStrokePen);
    canvas.MoveTo(layout.left, top + textHeight / 2);
    canvas.LineTo(layout.left + kLegendStroke, top + textHeight / 2);
    canvas.TextOut(layout.left + kLegendStroke + kLegendTextGap, top, entry.text);
  }
}

}  // namespace orbisk
