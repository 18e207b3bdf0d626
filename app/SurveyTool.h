#pragma once
// The survey tool of the map view: great-circle distance and bearing from
// the last confirmed point to the pointer, shown in the status bar and as a
// rubber line over the map; a right click (or a double click) reports the
// route's length and, from three points on, the area it encloses.
#include "core/CoordTypes.h"
#include "core/clsPoly.h"

#include <QCursor>
#include <QString>
#include <cstdint>
#include <vector>

class ViewRedraw;

class SurveyTool {
public:
    explicit SurveyTool(ViewRedraw& redraw);

    // Mode bits in the redraw's iSurveyMode: 1 on, 2 start point set,
    // 4 rubber drawn.
    bool IsOn() const;
    bool HasStart() const;

    int32_t lSurveyLon1 = 0, lSurveyLat1 = 0, lSurveyLon2 = 0, lSurveyLat2 = 0;
    std::vector<clsPoly> colSurveyRubber; // picture pixels
    double dSurveyLength = 0;             // metres, confirmed segments
    clsPoly oSurveyRoute;                 // confirmed points

    void mnuSurvey_Click();
    // A left click on a point that converts.
    void Click(MapPoint p);
    // The pointer moved to a point that converts.
    void Move(MapPoint p);
    // Right click, or the end of a double click.
    void CompleteRoute();

    double SurveyPrint();
    std::vector<clsPoly> SurveyMakeRubber();
    void SurveyDrawRubber();
    void SurveyReplot();
    void SurveyReport();

    // "測量：距離=… km 方位角=…ﾟ  (右クリックで経路完了)".
    static QString StatusText(double metres, int32_t bearing);
    // The report for n points; area only from three points on.
    static QString ReportText(int32_t n, double lengthMetres, double areaSquareMetres);
    // Two decimals, "," between thousands: "1,234.50".
    static QString FormatStandard(double x);

private:
    void SurveyOn();
    void SurveyOff();
    int16_t& mode();

    ViewRedraw& redraw_;
    bool printing_ = false;
    QCursor savedCursor_;
};
