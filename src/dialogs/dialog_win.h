// What every window made from a dialog template does alike: its state kept with the window and
// freed with it, its density followed, its place beside the ruler, its caption icon and bold
// font, its controls' colours and its toolbar's tips. Each dialog writes only what is its own.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include "ops/instance_win.h"
#include "render/dpi_win.h"
#include "render/gdi_win.h"

// A dialog's state, attached to its window at WM_INITDIALOG and freed with it at WM_NCDESTROY,
// after every control that shows what it owns.
class DialogPart {
  public:
    DialogPart(const DialogPart&) = delete;
    DialogPart& operator=(const DialogPart&) = delete;
    virtual ~DialogPart() = default;

    // The procedure of every dialog: it answers what all answer alike and routes the rest to the
    // dialog's own handlers.
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The state a dialog's window holds; null before WM_INITDIALOG and after WM_NCDESTROY.
    static DialogPart* Of(HWND window);

  protected:
    DialogPart() = default;

    // Once the window holds the state (and a top-level dialog has its density and place).
    virtual INT_PTR OnInitDialog() = 0;
    // A command of a control or menu, by its id and notification code.
    virtual INT_PTR OnCommand(int id, int code);
    // The close box, Alt+F4 or the system menu's Close: a modal dialog ends with 1, as its Cancel
    // does.
    virtual void OnClose();
    // Every other message the procedure leaves to the dialog.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A control's brush, with its text colour set in `dc` (the background is transparent
    // already); null for the system's button face.
    virtual HBRUSH ControlColour(HDC dc, int id);
    // The tip of a toolbar button, given when the tooltip asks; null for none.
    virtual const wchar_t* Tip(int command) const;
    // The tooltip that is about to show one of those tips, for the dialog to give it its own
    // look. It is asked each time, so that a tooltip made only when first needed gets it too.
    virtual void StyleTip(HWND) const {}
    // A top-level dialog's start and density change.
    virtual void Start() {}
    virtual void FollowDpi(WPARAM wParam, LPARAM lParam);

    HWND window = nullptr;

  private:
    INT_PTR OnControlColour(HDC dc, HWND control);
    bool OnTip(const NMHDR& header);
};

// A dialog of the ruler's own: it starts at its window's density, beside the ruler (or centred on
// the cursor), and its colour strip shows the ruler's background.
class RulerDialog : public DialogPart {
  public:
    explicit RulerDialog(Instance& record) : app(record) {}

  protected:
    // What the dialog makes by the density itself, after each change; each dialog also calls it as
    // it starts, where its own order wants it. The system scales the rest with the dialog, or
    // nothing does (Wine).
    virtual void ApplyDpi() = 0;
    // The size the dialog opens at, given with its place in one move; the template's by default.
    virtual std::optional<SIZE> OpeningSize() const { return std::nullopt; }
    HBRUSH ControlColour(HDC dc, int id) override;

    // The caption icon by name, or the ruler's for its direction and background, at the dialog's
    // density; the instance keeps each icon for the next dialog that shows it.
    void ShowCaptionIcon(const wchar_t* name);
    void ShowRulerIcon();
    // The controls take the dialog's font made bold at its density, which the system is not to
    // replace; the font shown before goes once none shows it. Where the font cannot be made the
    // controls keep theirs.
    void SetBoldFont(std::initializer_list<int> ids);
    HFONT BoldFont() const { return boldFont_.get(); }
    // The colour strip and the black line beside it down the left edge, as high as the client
    // area, at the dialog's density.
    void PlaceColourStrip();

    Instance& app;
    DialogDpi dpi;

  private:
    void Start() override;
    void FollowDpi(WPARAM wParam, LPARAM lParam) override;

    GdiObject<HFONT> boldFont_;
};

// Runs a modal dialog whose window takes over `state`; the result EndDialog gave.
INT_PTR RunModalDialog(std::unique_ptr<DialogPart> state, HINSTANCE module,
                       const wchar_t* templateName, HWND owner);

// Makes a modeless dialog whose window takes over `state`; null when it cannot be made.
// `procedure` passes on to DialogPart::Procedure what it does not answer itself.
HWND CreateModelessDialog(std::unique_ptr<DialogPart> state, HINSTANCE module,
                          const wchar_t* templateName, HWND owner,
                          DLGPROC procedure = DialogPart::Procedure);

// The ruler's Operation panel and magnifier: opens the window (`make`) or closes the open one.
// `open` holds while it is being made, so that the operations reach it then; a window that could
// not be made is not open.
void ToggleModeless(bool& open, HWND& window, const std::function<HWND()>& make);

// Gives the controls the font, which the system is not to replace when the density changes; a
// null font changes nothing.
void SetItemFonts(HWND dialog, std::initializer_list<int> ids, HFONT font);

// Repaints a dialog that shows, after a change of density; one not shown yet paints all of itself
// when it shows.
void RedrawIfShown(HWND dialog, bool erase);

// Moves a control that its dialog lays out itself, at every density, without redrawing it: the
// dialog redraws what it moved at once.
void MoveOwnItem(HWND item, const Rect& r);
