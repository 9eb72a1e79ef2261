// The splash window: dialog procedure, check-box subclass, palette realisation and hot spots.
#include "cDSSWindow.h"

#include "BrowserLaunch.h"
#include "DssTrace.h"
#include "GlimmerResources.h"
#include "cDSSDisplay.h"
#include "cDSSImage.h"
#include "cDSSScreen.h"

cDSSHotspot::cDSSHotspot(const std::string& url, const std::vector<RegionPoint>& points) : url_(url) {
    for (const RegionPoint& point : points) points_.push_back({static_cast<LONG>(point.x), static_cast<LONG>(point.y)});
    dssTrace("New hotspot: %d vertices:\n", static_cast<int>(points_.size()));
    if (!points_.empty()) region_ = CreatePolygonRgn(points_.data(), static_cast<int>(points_.size()), ALTERNATE);
}

cDSSHotspot::~cDSSHotspot() {
    if (region_ != nullptr) DeleteObject(region_);
}

bool cDSSHotspot::contains(int x, int y) const { return region_ != nullptr && PtInRegion(region_, x, y); }

cDSSWindow::~cDSSWindow() {
    if (dialog_ != nullptr && IsWindow(dialog_) && GetWindowThreadProcessId(dialog_, nullptr) == GetCurrentThreadId()) {
        DestroyWindow(dialog_);
    }
}

bool cDSSWindow::create(int pictureWidth, int pictureHeight, cDSSScreen& screen, bool offerActivate) {
    dialog_ = CreateDialogParamA(screen.instance(), MAKEINTRESOURCEA(IDD_SPLASH), screen.parent(), dialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (dialog_ == nullptr) {
        DWORD error = GetLastError();
        dssTrace("*** Error %lu (0x%lX) creating DSS window!\n", error, error);
        return false;
    }
    HWND box = GetDlgItem(dialog_, IDC_DEACTIVATE);
    RECT client = {};
    GetClientRect(box, &client);
    const int boxHeight = client.bottom - client.top;
    char text[256] = {};
    if (offerActivate && LoadStringA(screen.instance(), IDS_ACTIVATE, text, sizeof text) > 0) SetWindowTextA(box, text);

    const int width = pictureWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME) + 1;
    const int height = GetSystemMetrics(SM_CYDLGFRAME) + 2 * boxHeight + pictureHeight;
    const int x = (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2;
    SetWindowPos(dialog_, nullptr, x, y, width, height, SWP_HIDEWINDOW | SWP_NOZORDER);
    MoveWindow(box, 0, pictureHeight + boxHeight / 2, pictureWidth, boxHeight, FALSE);
    return true;
}

bool cDSSWindow::show(const cDSSImage& image) {
    if (!IsWindow(dialog_)) return false;
    image_ = &image;
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    return true;
}

void cDSSWindow::buildHotspots(const cDSSInfo& record) {
    hotspots_.clear();
    for (const cDSSHotspotInfo& spot : record.hotspots) {
        hotspots_.push_back(std::make_unique<cDSSHotspot>(spot.url, spot.region));
    }
}

bool cDSSWindow::checkBoxChecked() const {
    return checkBox_ != nullptr && SendMessageA(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

INT_PTR CALLBACK cDSSWindow::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* window = reinterpret_cast<cDSSWindow*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        window->initDialog(dialog);
        return TRUE;
    }
    auto* window = reinterpret_cast<cDSSWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (window == nullptr || window->image_ == nullptr) return FALSE;
    return window->handle(message, wParam, lParam);
}

void cDSSWindow::initDialog(HWND dialog) {
    dialog_ = dialog;
    checkBox_ = GetDlgItem(dialog, IDC_DEACTIVATE);
    previousCheckBoxProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(checkBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(checkBoxProc)));
    SendMessageA(checkBox_, kTellWindowObject, 0, reinterpret_cast<LPARAM>(this));
    dssTrace("Checkbox HWnd is %08X\n", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(checkBox_)));
}

INT_PTR cDSSWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return TRUE;
    case WM_TIMER:
        display_.requestExit();
        return TRUE;
    case WM_LBUTTONDOWN:
        mouseDown(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_LBUTTONUP:
        mouseUp(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_QUERYNEWPALETTE:
        return realisePalette(nullptr);
    case WM_PALETTECHANGED:
        return realisePalette(reinterpret_cast<HWND>(wParam));
    default:
        return FALSE;
    }
}

void cDSSWindow::paint() {
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(dialog_, &paint);
    static_cast<void>(image_->draw(dc));  // nothing to do when drawing fails: the next paint tries again
    EndPaint(dialog_, &paint);
}

LRESULT cDSSWindow::realisePalette(HWND changedBy) {
    if (changedBy == dialog_ || image_->palette() == nullptr) return 0;
    HDC dc = GetDC(dialog_);
    HPALETTE previous = SelectPalette(dc, image_->palette(), FALSE);
    UINT changed = RealizePalette(dc);
    SelectPalette(dc, previous, FALSE);
    RealizePalette(dc);
    ReleaseDC(dialog_, dc);
    if (changed != 0 && changed != GDI_ERROR) {
        InvalidateRect(dialog_, nullptr, FALSE);
        return static_cast<LRESULT>(changed);
    }
    return 0;
}

LRESULT CALLBACK cDSSWindow::checkBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTellWindowObject) {
        SetWindowLongPtrA(box, GWLP_USERDATA, lParam);
        return 0;
    }
    auto* window = reinterpret_cast<cDSSWindow*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (window == nullptr) return DefWindowProcA(box, message, wParam, lParam);
    if (message == WM_KEYDOWN) {
        dssTrace("Got a keystroke in in checkbox window proc\n");
        if (window->closeOnKey_ != 0 && (wParam == VK_ESCAPE || wParam == VK_SPACE)) window->display_.requestExit();
        return 0;
    }
    return CallWindowProcA(window->previousCheckBoxProc_, box, message, wParam, lParam);
}

int cDSSWindow::hotspotAt(int x, int y) const {
    for (std::size_t i = 0; i < hotspots_.size(); ++i) {
        if (hotspots_[i]->contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

void cDSSWindow::mouseDown(int x, int y) { pressed_ = hotspotAt(x, y); }

void cDSSWindow::mouseUp(int x, int y) {
    const int pressed = pressed_;
    pressed_ = -1;
    if (pressed >= 0 && hotspots_[static_cast<std::size_t>(pressed)]->contains(x, y)) {
        activate(*hotspots_[static_cast<std::size_t>(pressed)]);
    }
}

void cDSSWindow::activate(const cDSSHotspot& hotspot) {
    if (hotspot.url().empty()) return;
    if (display_.launchesBrowser()) {
        if (browserPath_.empty()) browserPath_ = findBrowser();
        if (browserPath_.empty()) {
            dssTrace("no default web browser\n");
            return;
        }
        launchBrowser(browserPath_, hotspot.url());
    } else {
        display_.handBack(hotspot.url());
    }
    display_.requestExit();
}
