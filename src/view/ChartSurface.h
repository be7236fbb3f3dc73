// The chart widget of the program: line series over caller-owned sample
// arrays, a time axis at the bottom and a value axis at the left, hidden
// title and footer blocks, mouse zoom and pan, an overlay for cursors, and
// rendering for print and export. The one place that talks to QCustomPlot.
//
// Gestures: the mouse wheel zooms the time axis around the pointer; a drag
// with the left button draws a rectangle and zooms both axes to it; a drag
// with the right button pans. With the focus on the chart (where its owner
// lets it take the focus), Left and Right pan the time axis by a tenth of
// the shown span, Plus and Minus zoom it 2× about its middle, and Home asks
// for the whole recording (FitAllAsked). Any of them fixes both axes
// (automatic off) until UndoZoom gives back the settings they had before
// the first one.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QLine>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCPAxis;
class QPaintDevice;
class SampleCurve;
class ChartSurface;

// The points of a series, read from arrays without copying them. Point k
// (k = 0 … count − 1) lies at x = (first + k) × timeStep and y =
// (values[first + k] − zero) × factor + offset, in this order of operations;
// without values every point lies at y = offset. With keys, point k lies at
// x = keys[first + k] instead (ascending), as for spectra on a frequency
// ladder.
//
// The series shares the ownership of whatever holds the arrays, so a series
// never outlives the arrays it views, whatever order the caller releases
// things in: the chart reads its series at moments the caller does not see
// (an automatic range, a repaint), and an order kept by hand was once wrong.
// Without an owner the caller's arrays must outlive the chart.
struct SampleSource {
  const double* values = nullptr;
  double factor = 1.0;
  double offset = 0.0;
  std::size_t first = 0;
  std::size_t count = 0;
  double timeStep = 0.001;
  double zero = 0.0;
  const double* keys = nullptr;
  std::shared_ptr<const void> owner = nullptr;
};

// A pen on the chart in client pixels. During painting (the series hooks)
// it draws on the chart itself; on the overlay it draws over the chart until
// the next full repaint, and drawing the same line twice in Xor mode
// erases it again.
class ChartCanvas {
 public:
  enum class PenMode { Copy, Xor };

  virtual ~ChartCanvas() = default;

  void SetPenColor(const QColor& color) { pen_.setColor(color); }
  void SetPenWidth(int width) { pen_.setWidth(width); }
  void SetPenStyle(Qt::PenStyle style) { pen_.setStyle(style); }
  void SetPenMode(PenMode mode) { mode_ = mode; }

  void MoveTo(int x, int y) { position_ = QPoint(x, y); }
  void LineTo(int x, int y);  // from the current position, which then moves to (x, y)

 protected:
  ChartCanvas();
  virtual void DrawLine(const QLine& line, const QPen& pen, PenMode mode) = 0;

 private:
  QPen pen_;
  PenMode mode_ = PenMode::Copy;
  QPoint position_;
};

struct ChartRange {
  double Lower = 0.0;
  double Upper = 0.0;
  friend bool operator==(const ChartRange&, const ChartRange&) = default;
};

// Both axes as they stand, and what UndoZoom would give back, so that a
// view can be put back as it was.
struct ChartAxesState {
  struct Axis {
    bool Automatic = true;
    ChartRange Range;
  };
  Axis Bottom;
  Axis Left;
  std::optional<std::array<Axis, 2>> BeforeZoom;  // bottom, left
};

class ChartAxis {
 public:
  // Automatic: the range follows the data of the series that hold points.
  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool on);
  ChartRange Range() const;
  void SetRange(double lower, double upper);  // fixes the range: automatic off
  // Decades instead of equal steps; points at or below 0 are left out.
  bool Logarithmic() const;
  void SetLogarithmic(bool on);

  QString Title() const;
  void SetTitle(const QString& title);
  QColor TitleColor() const;
  void SetTitleColor(const QColor& color);
  QColor LabelColor() const;
  void SetLabelColor(const QColor& color);
  QColor GridColor() const;
  void SetGridColor(const QColor& color);
  QColor AxisLineColor() const { return lineColor_; }
  void SetAxisLineColor(const QColor& color);
  bool AxisLineVisible() const { return lineVisible_; }
  void SetAxisLineVisible(bool visible);

  // Client pixel along this axis to value and back.
  double PixelToValue(double pixel) const;
  double ValueToPixel(double value) const;

 private:
  friend class ChartSurface;
  ChartAxis(ChartSurface& chart, QCPAxis* axis);
  void ApplyLinePen();

  ChartSurface& chart_;
  QCPAxis* axis_;
  bool automatic_ = true;
  QColor lineColor_ = Qt::black;
  bool lineVisible_ = false;
};

class ChartSeries {
 public:
  // Called while the chart paints, just before and just after the series
  // draws its points.
  using DrawHook = std::function<void(ChartSeries& series, ChartCanvas& canvas)>;

  QString Name() const { return name_; }
  ChartSurface& Chart() const { return chart_; }

  void Clear();
  // Takes the points of `source` without copying them. A series holds one
  // source: Clear it before appending again (std::logic_error otherwise).
  void Append(const SampleSource& source);
  std::size_t PointCount() const;
  QPointF Point(std::size_t index) const;  // std::out_of_range beyond PointCount()
  const SampleSource& Source() const;

  QColor Color() const;
  void SetColor(const QColor& color);
  int LineWidth() const;
  void SetLineWidth(int width);
  // Off: points that fall on the same pixel column may be skipped.
  bool DrawAllPoints() const;
  void SetDrawAllPoints(bool on);

  // Through the series' axes (bottom for x, left for y), in client pixels.
  double PixelToX(double pixel) const;
  double PixelToY(double pixel) const;
  QPointF PixelToPoint(QPointF pixel) const;
  double XToPixel(double x) const;
  double YToPixel(double y) const;

  void SetBeforeDrawValues(DrawHook hook);
  void SetAfterDrawValues(DrawHook hook);

 private:
  friend class ChartSurface;
  ChartSeries(ChartSurface& chart, SampleCurve* curve, QString name);
  void SetHook(DrawHook hook, bool before);

  ChartSurface& chart_;
  SampleCurve* curve_;
  QString name_;
};

// A block of text lines above (title) or below (footer) the plot, shown only
// while visible.
class ChartTextBlock {
 public:
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  QStringList Lines() const { return lines_; }
  QString Text() const { return lines_.join(QLatin1Char('\n')); }
  void AddLine(const QString& line);
  void Clear();
  void SetText(const QString& text);  // replaces every line; lines end at LF or CR LF
  QColor FontColor() const { return color_; }
  void SetFontColor(const QColor& color);

 private:
  friend class ChartSurface;
  explicit ChartTextBlock(std::function<void()> changed) : changed_(std::move(changed)) {}

  std::function<void()> changed_;
  bool visible_ = false;
  QStringList lines_;
  QColor color_ = Qt::black;
};

class ChartSurface : public QWidget {
  Q_OBJECT

 public:
  enum class ExportFormat { Png, Bmp, Jpeg, Svg, Pdf };
  static constexpr double kPrintMargin = 0.07;  // of the page, on each side
  // Paper is laid out as a screen would show a chart of its size.
  static constexpr double kPaperLayoutDpi = 96.0;

  explicit ChartSurface(QWidget* parent = nullptr);
  ~ChartSurface() override;

  ChartSeries* AddSeries(const QString& name);
  int SeriesCount() const;
  ChartSeries* Series(int index) const;                // nullptr when out of range
  ChartSeries* FindSeries(const QString& name) const;  // nullptr when absent

  ChartAxis& LeftAxis();
  ChartAxis& BottomAxis();
  const ChartAxis& LeftAxis() const;
  const ChartAxis& BottomAxis() const;

  ChartTextBlock& Title();
  ChartTextBlock& Footer();  // left-aligned

  QColor BackWallColor() const;  // behind the plot
  void SetBackWallColor(const QColor& color);
  QColor PanelColor() const;  // the whole widget
  void SetPanelColor(const QColor& color);

  // Gives both axes back the settings they had before the first zoom or
  // pan since the last undo, then repaints.
  void UndoZoom();
  bool CanUndoZoom() const;
  ChartAxesState AxesState() const;
  void SetAxesState(const ChartAxesState& state);

  // The time axis moved as by the keys: a pan by `fraction` of the shown
  // span (negative: towards earlier times), or its span divided by `factor`
  // about the middle. Both are zooms that UndoZoom takes back.
  void PanTime(double fraction);
  void ZoomTime(double factor);
  // Both axes onto these ranges (the value axis only when given): a zoom
  // that UndoZoom takes back, as a rectangle drawn with the mouse.
  void ZoomOnto(ChartRange time, std::optional<ChartRange> values);

  void Invalidate();  // repaint when the event loop next runs
  void Repaint();     // repaint now

  // The rectangle the series are drawn in, in client pixels, as laid out by
  // the last repaint. The chart is flat: both depth offsets are 0.
  QRect PlotRect() const;
  int HorizontalDepth() const { return 0; }
  int VerticalDepth() const { return 0; }

  // Draws over the chart without repainting the series; the overlay is
  // shown once, when the returned canvas is destroyed, and is wiped by the
  // next full repaint (signal OverlayCleared).
  std::unique_ptr<ChartCanvas> OverlayCanvas();
  std::vector<QLine> OverlayLines() const;
  // How often series have drawn their points: lets callers check that
  // cursor work never repaints the data.
  std::uint64_t DataDrawCount() const;

  // The whole chart, titles included, stretched into `target` less
  // `marginFraction` of it on each side: laid out at kPaperLayoutDpi units
  // per inch of the device, every font at its own point size on the device,
  // a title or footer line too wide for the page shrunk and then broken.
  void Render(QPaintDevice& device, const QRectF& target, double marginFraction = kPrintMargin);
  // The chart as a picture file's bytes, laid out at `size` (pixels; points
  // for PDF and SVG) with the same fonts and text fitting as Render;
  // nothing when it cannot be drawn.
  std::optional<QByteArray> Picture(ExportFormat format, QSize size);

 signals:
  void DoubleClicked(QPoint position);
  void MouseMoved(Qt::KeyboardModifiers modifiers, QPoint position);
  void Scrolled();  // after a pan
  void Zoomed();    // after a wheel or rectangle zoom
  void OverlayCleared();
  void FitAllAsked();  // the Home key

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
