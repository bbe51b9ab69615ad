// The --ui automation: plays a script (UiScript.h) on the module's main
// dialog from a thread of its own, while the module's modal loop runs on
// the thread that called it, the way a user would: clicks, drags and keys
// go to the dialog's real windows as the messages the system delivers,
// menus are worked with the keyboard inside their own loop, the corner drag
// is real mouse input for the system's size loop, and colour choosers are
// filled in and confirmed.
//
// Every wait has a deadline. A step that cannot be done is reported, the
// dialog is cancelled, and the host exits with code 3; a dialog that does
// not close even then ends the process with code 3.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "UiScript.h"

class CUiSync;

struct UiDriverSettings {
    DWORD uiThread = 0;             // the thread that calls the module
    CUiSync* sync = nullptr;        // a window of that thread
    std::vector<UiStep> steps;
    int stepTimeLimitMs = 30000;
    bool hostPicksColours = false;  // the host's colour services answer choose-colour
};

class CUiDriver {
public:
    explicit CUiDriver(const UiDriverSettings& settings);
    ~CUiDriver();
    CUiDriver(const CUiDriver&) = delete;
    CUiDriver& operator=(const CUiDriver&) = delete;

    // The module's call has returned: nothing more will show.
    void ModuleReturned() { m_bModuleReturned = true; }
    // Waits for the script to end (at most the step time limit).
    void Finish();
    bool Failed() const { return m_bFailed; }

private:
    typedef std::chrono::steady_clock Clock;

    void Run();
    void Play(const UiStep& step);
    [[noreturn]] void Fail(const std::string& reason) const;
    void CatchUp() const;
    Clock::time_point Deadline() const;
    void CheckDeadline(Clock::time_point deadline, const std::string& what) const;

    static bool IsMainDialog(HWND dialog);
    HWND FindMainDialog() const;
    HWND FindOtherDialog() const;
    bool WaitForMainDialog();
    // The next dialog other than the main one (with child `childId`, when
    // not 0).
    HWND WaitForOtherDialog(const std::string& what, int childId = 0);
    void WaitUntilGone(HWND window, const std::string& what);
    HWND Control(int id) const;
    int ResolveButton(const std::string& name) const;

    void Settle();
    void WaitPainted(HWND window);
    void MoveSlider(const std::string& name, const std::string& value);
    void Click(int id);
    void ChooseMenuItem(int buttonId, const std::string& item);
    void ListMenuItems(int buttonId, const std::string& submenu);
    void SetOutside(const std::string& state);
    void PickColour(const std::string& rgb);
    void AnswerChooser(const std::string& answer);
    void AnswerDialog(const std::string& answer);
    // The secondary dialog's first child of window class `className`.
    HWND OtherDialogChild(const char* className, const std::string& what);
    void TypeInput(const std::string& text);
    void SelectListItem(const std::string& text);
    void PressDialogButton(const std::string& caption);
    void DragPreview(int dx, int dy);
    void DragCorner(int dx, int dy);
    void PressKey(const std::string& key);
    void ChooseZoom(const std::string& level);
    void TurnWheel(int dx, int dy, int notches);
    void HoldPreview(bool hold);
    void Screenshot(const std::string& path);
    void ReportState();
    void ReportTexts();
    void ReportRects();
    void ReportPixel(const std::string& control, int x, int y);
    void Close(int buttonId);
    // Dialogs no step waits for are described and closed with OK.
    void AnswerStrayDialogs();
    void CancelEverything();

    // Menus.
    // Runs `work` on a menu, opening the menu again when it was lost.
    void WithMenu(const std::function<void()>& work);
    // Clicks the button and returns the menu that drops down.
    HMENU OpenMenu(int buttonId);
    std::vector<HWND> MenuWindows() const;
    void HighlightItem(HMENU menu, int position);
    void OpenSubmenu(HMENU menu, int position, size_t levelsBefore);
    void CloseMenus();

    UiDriverSettings m_settings;
    HWND m_hMain = nullptr;
    std::vector<HWND> m_answered;
    // The step just done, when it was to open a dialog: done again once if
    // nothing opened.
    std::function<void()> m_reopen;
    Clock::time_point m_lastAction;
    std::atomic<bool> m_bModuleReturned{false};
    std::atomic<bool> m_bFailed{false};
    std::atomic<bool> m_bDone{false};
    std::thread m_thread;
};
