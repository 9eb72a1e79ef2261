// The splash window: a borderless dialog that shows the picture above a check box, with polygon hot
// spots that open a URL. It lives on the display thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "cDSSInfo.h"

class cDSSDisplay;
class cDSSImage;
class cDSSScreen;

// A clickable polygon of the picture and its URL.
class cDSSHotspot {
public:
    cDSSHotspot(const std::string& url, const std::vector<RegionPoint>& points);
    cDSSHotspot(const cDSSHotspot&) = delete;
    cDSSHotspot& operator=(const cDSSHotspot&) = delete;
    ~cDSSHotspot();

    bool contains(int x, int y) const;
    const std::string& url() const { return url_; }

private:
    HRGN region_ = nullptr;  // null when the polygon could not be made: no point is inside
    std::vector<POINT> points_;
    std::string url_;
};

class cDSSWindow {
public:
    static constexpr UINT kTellWindowObject = 0x8000;

    explicit cDSSWindow(cDSSDisplay& display) : display_(display) {}
    cDSSWindow(const cDSSWindow&) = delete;
    cDSSWindow& operator=(const cDSSWindow&) = delete;
    ~cDSSWindow();

    // Creates the hidden dialog sized for a picture; `offerActivate` shows the check box's text that
    // switches splash screens on.
    [[nodiscard]] bool create(int pictureWidth, int pictureHeight, cDSSScreen& screen, bool offerActivate);
    // Attaches the picture and shows the dialog in front.
    [[nodiscard]] bool show(const cDSSImage& image);
    void buildHotspots(const cDSSInfo& record);
    void enableCloseOnKey() { closeOnKey_ = 1; }

    HWND dialog() const { return dialog_; }
    bool checkBoxChecked() const;

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK checkBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void initDialog(HWND dialog);
    void paint();
    LRESULT realisePalette(HWND changedBy);
    int hotspotAt(int x, int y) const;
    void mouseDown(int x, int y);
    void mouseUp(int x, int y);
    void activate(const cDSSHotspot& hotspot);

    cDSSDisplay& display_;
    const cDSSImage* image_ = nullptr;
    std::string browserPath_;
    WORD closeOnKey_ = 0;
    HWND checkBox_ = nullptr;
    WNDPROC previousCheckBoxProc_ = nullptr;
    std::vector<std::unique_ptr<cDSSHotspot>> hotspots_;
    int pressed_ = -1;
    HWND dialog_ = nullptr;
};
