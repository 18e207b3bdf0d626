#pragma once
// The main window's help menu: contents, keywords, the window's own topic,
// the author's web pages and the about box.
#include <QString>
#include <cstdint>

class QMenu;
class QWidget;

class HelpMenu {
public:
    // Adds the five items to `menu`; `owner` is the main window.
    static void Fill(QMenu* menu, QWidget* owner);
    // Opens web page item 1 (top), 3 (map files) or 4 (runtime components);
    // any other number opens the top page. A failure shows a message.
    // An item without a configured page is greyed and opens nothing.
    static void OpenHomepage(int32_t item);
    // The configured page of an item ("" when none).
    static QString HomepageUrl(int32_t item);
    // The about box from the menu: placed beside `owner` the first time.
    static void ShowAbout(QWidget* owner);
};
