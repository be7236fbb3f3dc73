// The two cursors over a chart: the section point, fixed by a double-click
// and drawn as two solid lines around every series, and the crosshair that
// follows the mouse on the chart's overlay. It knows nothing of the
// recording; its owner turns positions into times and texts through the
// signals below.
#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <optional>
#include <vector>

#include "view/ChartSurface.h"

class QGuiApplication;

// The section point in chart units. It keeps its time and value through
// zoom, pan and resize, and is drawn wherever that point now lies.
struct ChartPoint {
  double Time = 0.0;
  double Value = 0.0;
  friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

class TChartHelper : public QObject {
  Q_OBJECT
  Q_PROPERTY(ChartSurface* Chart READ Chart WRITE SetChart)
  Q_PROPERTY(QColor DetailColor READ DetailColor WRITE SetDetailColor)
  Q_PROPERTY(QColor SectionColor READ SectionColor WRITE SetSectionColor)

 public:
  explicit TChartHelper(QObject* owner = nullptr);
  ~TChartHelper() override;

  ChartSurface* Chart() const { return chart_; }
  // Hooks the chart's double-click and mouse moves and the draw hooks of the
  // series the chart holds now; series added later are not hooked.
  void SetChart(ChartSurface* chart);
  QColor DetailColor() const { return detailColor_; }
  void SetDetailColor(const QColor& color);  // the crosshair
  QColor SectionColor() const { return sectionColor_; }
  void SetSectionColor(const QColor& color);

  // std::nullopt: no section point. Take it and put it back to hide it for
  // a while.
  std::optional<ChartPoint> Section() const { return section_; }
  void SetSection(std::optional<ChartPoint> section);
  // The client pixel where the section point lies now, −1 when there is none.
  int SectionX() const;
  int SectionY() const;
  // −1 removes the section point; any other value moves it to that pixel
  // column (at the middle of the plot when there was none).
  void SetSectionX(int x);

  // Where the mouse was at the last move over the chart, in its client
  // pixels: the event's own position, which the system cursor may lag.
  QPoint MousePosition() const { return mouse_; }

  // Forgets the crosshair, repaints the chart later and reports the readout
  // stale.
  void RefreshChart();

 signals:
  void AfterDrawValues(TChartHelper* sender);   // after a series drew its points
  void BeforeDrawValues(TChartHelper* sender);  // before a series draws its points
  void OnChartMouseMove(TChartHelper* sender, bool insideChartRect);
  void OnClearDetailInformation(TChartHelper* sender);

 private:
  friend class TChartHelperList;

  void Hook();
  void Unhook();
  void ChartDblClick(QPoint position);
  void ChartMouseMove(Qt::KeyboardModifiers shift, QPoint position);
  void SeriesBeforeDrawValues(ChartCanvas& canvas);
  void SeriesAfterDrawValues(ChartCanvas& canvas);
  void DrawDetail(ChartCanvas& canvas, QPoint at) const;
  void DrawSection(ChartCanvas& canvas) const;
  bool InPlot(QPoint pixel) const;
  QPoint SectionPixel() const;
  void ForgetDetail() { detail_ = QPoint(-1, -1); }

  QPointer<ChartSurface> chart_;
  std::vector<QMetaObject::Connection> connections_;
  QColor detailColor_{255, 255, 0};
  QColor sectionColor_{255, 0, 0};
  QPoint detail_{-1, -1};  // the crosshair now on screen (DetailX, DetailY)
  QPoint mouse_{-1, -1};
  std::optional<ChartPoint> section_;
};

// Every live TChartHelper. A change of the active window forgets their
// crosshairs and repaints their charts: a window over the chart may have
// covered the overlay.
class TChartHelperList {
 public:
  static TChartHelperList& Instance();
  ~TChartHelperList();

  int Count() const { return static_cast<int>(helpers_.size()); }
  TChartHelper* Items(int index) const { return helpers_.at(static_cast<std::size_t>(index)); }

 private:
  friend class TChartHelper;
  TChartHelperList() = default;
  void Add(TChartHelper* helper);
  void Remove(TChartHelper* helper);
  void ActiveFormChanged();

  std::vector<TChartHelper*> helpers_;
  QPointer<QGuiApplication> hookedApplication_;
  QMetaObject::Connection activeFormHook_;
};
