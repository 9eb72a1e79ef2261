// Native controls in a framework window: frame, colours, font and links of one Win32 child control,
// its answer to the owner's colour requests, and the subclass procedure that adds Tab cycling and
// Enter to the default control.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OMColorRecord.h"
#include "OMLink.h"
#include "OMRect.h"

class OMFont;
class OMWindow;

// Tab kinds: never a Tab stop, an ordinary Tab stop, or a control that takes Tab itself.
inline constexpr std::int32_t kNoTabStop = 0;
inline constexpr std::int32_t kTabStop = 1;
inline constexpr std::int32_t kKeepsTab = 2;

// Abstract: a concrete control creates the native window, stores this object in its user-data word,
// installs subclassProc as its window procedure and answers previousProc and notify.
class OMNControl {
public:
    // Joins the owner's controls; the colours are resolved against the owner's canvas.
    OMNControl(OMWindow* owner, const OMRect* frame, std::int32_t tabKind, const OMColorRecord* textColor,
               const OMColorRecord* backgroundColor, OMFont* font);
    OMNControl(const OMNControl&) = delete;
    OMNControl& operator=(const OMNControl&) = delete;

    // Sets the DC's text colour and transparent background and returns the background brush.
    virtual HBRUSH ctlColor(HDC dc);
    virtual WNDPROC previousProc() = 0;
    virtual void focusLost();
    virtual void focusGained();
    virtual void setColors(const OMColorRecord* text, const OMColorRecord* background);
    // Nothing for no font or a bitmap font (which has no Win32 font).
    virtual void setFont(OMFont* newFont);
    // A notification from the owner window's procedure.
    virtual void notify(int a, int b) = 0;
    // Leaves the owner's controls (and its default control); the native window is the concrete control's.
    virtual ~OMNControl();
    virtual void setActionLink(const OMLink* link);
    virtual OMLink* actionLink() const { return actionLink_; }
    virtual void setFrame(const OMRect* rect);
    // The empty frame stays as it is.
    virtual void moveTo(std::int32_t x, std::int32_t y);
    virtual void offsetBy(std::int32_t dx, std::int32_t dy);
    virtual void setSize(std::int32_t width, std::int32_t height);
    virtual void show(std::int32_t visible);
    virtual bool isVisible() const;
    virtual void setText(const char* text);
    // At most 256 characters, in a buffer shared by all controls that the next call replaces.
    virtual const char* text() const;
    virtual void setFocus();
    virtual void enable(std::int32_t enabled);

    bool isEnabled() const;
    bool hasFocus() const;
    void setTextColor(const OMColorRecord* color);
    void setBackgroundColor(const OMColorRecord* color);
    bool containsPoint(const POINT* point) const;
    void setFocusLostLink(const OMLink* link) { replaceLink(focusLostLink, link); }
    void setFocusGainedLink(const OMLink* link) { replaceLink(focusGainedLink, link); }

    // The window procedure of every native control.
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HBRUSH brush = nullptr;
    std::int32_t tabKind;
    OMRect frame;
    OMColorRecord textColor;
    OMColorRecord backgroundColor;
    // Not owned.
    OMFont* font;
    HWND hwnd = nullptr;
    OMWindow* owner;

private:
    // Gives the focus to the next Tab stop after this control that is visible and enabled, wrapping.
    void tabToNext();
    void moveToFrame();
    // A record as stored: inherited colours from the canvas or its DC, palette entries as components.
    OMColorRecord resolved(const OMColorRecord& color, const OMColorRecord& canvasColor,
                           COLORREF (*dcColor)(HDC)) const;

    OMLink* actionLink_ = nullptr;
    OMLink* focusLostLink = nullptr;
    OMLink* focusGainedLink = nullptr;
};
