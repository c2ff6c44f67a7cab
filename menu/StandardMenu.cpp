// Buttons and polled menus: creating and placing buttons, drawing them with
// their mouse-over pictures, and the left click that chooses one.
#include "menu/StandardMenu.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

#include "window/Vitrine.h"

namespace StandardMenu {

namespace {

// The pending click: written by the window layer's callback, taken by
// ButtonSelected. Every access holds the lock for the whole of it, so a
// click is never half written, read twice or lost between check and take.
std::mutex clickLock;
std::optional<ClickRc> leftClick;
std::atomic<uint64_t> clicksTaken{0};
std::atomic<uint64_t> menuWaits{0};
std::atomic<uint64_t> waitingMenu{0};

constexpr uint32_t PassMilliseconds = 25;

}  // namespace

ButtonRc CreateButtonX(int32_t w, int32_t h, ButtonType flags, const ButtonStrings& bitmaps) {
    ButtonRc button;
    const uint32_t bw = w > 0 ? static_cast<uint32_t>(w) : 0;
    const uint32_t bh = h > 0 ? static_cast<uint32_t>(h) : 0;
    button.bitmap[0] = Vitrine::LoadBitmap(bitmaps.normal, bw, bh);
    if (flags.withMask) {
        button.mask[0] = Vitrine::LoadBitmap(bitmaps.normalMask, bw, bh);
    }
    if (flags.withMouseOver) {
        button.bitmap[1] = Vitrine::LoadBitmap(bitmaps.mouseOver, bw, bh);
        if (flags.withMask) {
            if (bitmaps.mouseOverMask != nullptr && bitmaps.mouseOverMask[0] == '=') {
                button.mask[1] = button.mask[0];
            } else {
                button.mask[1] = Vitrine::LoadBitmap(bitmaps.mouseOverMask, bw, bh);
            }
        }
    }
    button.width = w;
    button.height = h;
    button.type = flags;
    button.visible = true;
    return button;
}

ButtonRc CreateButton(int32_t w, int32_t h, BitmapName normal, BitmapName mouseOver) {
    return CreateButtonX(w, h, {.withMouseOver = true, .withMask = false},
                         {.normal = normal, .mouseOver = mouseOver, .normalMask = " ", .mouseOverMask = " "});
}

ButtonRc CreateMaskedButton(int32_t w, int32_t h, BitmapName normal, BitmapName mouseOver, BitmapName mask) {
    return CreateButtonX(
        w, h, {.withMouseOver = true, .withMask = true},
        {.normal = normal, .mouseOver = mouseOver, .normalMask = mask, .mouseOverMask = "="});
}

ButtonRc CreateField(int32_t w, int32_t h, BitmapName normal, BitmapName mask) {
    return CreateButtonX(w, h, {.withMouseOver = false, .withMask = true},
                         {.normal = normal, .mouseOver = " ", .normalMask = mask, .mouseOverMask = " "});
}

void ReleaseButton(ButtonRc& button) {
    const bool sharedMask = button.mask[1] == button.mask[0];
    for (uint32_t& b : button.bitmap) {
        Vitrine::DestroyBitmap(b);
        b = 0;
    }
    Vitrine::DestroyBitmap(button.mask[0]);
    if (!sharedMask) {
        Vitrine::DestroyBitmap(button.mask[1]);
    }
    button.mask = {};
}

void ReleaseButtons(std::span<ButtonRc> buttons) {
    for (ButtonRc& b : buttons) {
        ReleaseButton(b);
    }
}

void SetVerticalMenu(int32_t x0, int32_t y0, int32_t yGap, std::span<ButtonRc> buttons) {
    int32_t y = y0;
    for (ButtonRc& b : buttons) {
        b.x0 = x0;
        b.y0 = y;
        y += yGap;
    }
}

bool InButton(const ButtonRc& button, int32_t x, int32_t y) {
    // 64-bit sums: a button near the end of the coordinate range must not wrap.
    const int64_t x1 = int64_t{button.x0} + button.width;
    const int64_t y1 = int64_t{button.y0} + button.height;
    return button.x0 < x && x < x1 && button.y0 < y && y < y1;
}

namespace {

// The picture a button shows now: 1 with the mouse over it, else 0; -1 when it is hidden.
int ButtonPicture(const ButtonRc& button) {
    if (!button.visible) {
        return -1;
    }
    if (!button.type.withMouseOver) {
        return 0;
    }
    int32_t x = 0, y = 0;
    Vitrine::MousePos(x, y);
    return InButton(button, x, y) ? 1 : 0;
}

}  // namespace

void DrawButton(const ButtonRc& button) {
    const int picture = ButtonPicture(button);
    if (picture < 0) {
        return;
    }
    const auto k = static_cast<std::size_t>(picture);
    if (button.type.withMask) {
        Vitrine::DrawMaskBitmap(button.bitmap[k], button.mask[k], button.x0, button.y0);
    } else {
        Vitrine::DrawBitmap(button.bitmap[k], button.x0, button.y0);
    }
}

bool ButtonSelected(const ButtonRc& button) {
    if (!button.visible) {
        return false;
    }
    // Installed on every call: a newly opened window starts without callbacks.
    Vitrine::OnMouseLeftUp(RegisterLeftClick);
    std::lock_guard<std::mutex> hold(clickLock);
    if (leftClick && InButton(button, leftClick->x, leftClick->y)) {
        leftClick.reset();
        clicksTaken.fetch_add(1, std::memory_order_release);
        return true;
    }
    return false;
}

namespace {

// While a menu waits, a gamepad and the keyboard move the pointer between its
// visible buttons; a shortcut's keys go with its button.
class PadStops {
  public:
    PadStops(std::span<const ButtonRc> menu, std::span<const Shortcut> shortcuts,
             Vitrine::ArrowMoves arrows) {
        std::vector<Vitrine::PadStop> stops;
        for (std::size_t i = 0; i < menu.size(); ++i) {
            const ButtonRc& b = menu[i];
            if (!b.visible) continue;
            Vitrine::PadStop stop{b.x0, b.y0, b.width, b.height, {}};
            std::size_t keys = 0;
            for (const Shortcut& s : shortcuts) {
                if (s.button == i && keys < stop.keys.size()) stop.keys[keys++] = s.key;
            }
            stops.push_back(stop);
        }
        Vitrine::SetPadStops(stops, arrows);
        waitingMenu = ++menuWaits;
    }
    ~PadStops() {
        waitingMenu = 0;
        Vitrine::SetPadStops({});
    }
    PadStops(const PadStops&) = delete;
    PadStops& operator=(const PadStops&) = delete;
};

}  // namespace

int32_t MenuSelection(std::span<const ButtonRc> menu, std::span<const Shortcut> shortcuts,
                      Vitrine::ArrowMoves arrows) {
    // Record releases from the first showing on, also in a newly opened window.
    Vitrine::OnMouseLeftUp(RegisterLeftClick);
    const PadStops pad(menu, shortcuts, arrows);
    // The picture each button showed when this menu last drew it. A pass
    // draws the buttons only when one of them is to look different: drawing
    // them again unchanged would only cost time while the menu waits.
    std::vector<int> drawn(menu.size(), -2);
    for (;;) {
        Vitrine::UpdateWindow();
        if (Vitrine::WindowClosed()) {
            return -1;
        }
        bool redraw = false;
        for (std::size_t i = 0; i < menu.size(); ++i) {
            redraw = redraw || ButtonPicture(menu[i]) != drawn[i];
        }
        for (std::size_t i = 0; i < menu.size(); ++i) {
            if (redraw) {
                DrawButton(menu[i]);
                drawn[i] = ButtonPicture(menu[i]);
            }
            if (ButtonSelected(menu[i])) {
                return static_cast<int32_t>(i);
            }
        }
        Vitrine::Delay(PassMilliseconds);
    }
}

void RegisterLeftClick(int32_t x, int32_t y) {
    std::lock_guard<std::mutex> hold(clickLock);
    leftClick = ClickRc{x, y};
}

bool PendingClick(ClickRc& click) {
    std::lock_guard<std::mutex> hold(clickLock);
    if (!leftClick) {
        return false;
    }
    click = *leftClick;
    return true;
}

void ClearPendingClick() {
    std::lock_guard<std::mutex> hold(clickLock);
    leftClick.reset();
}

uint64_t ClicksTaken() {
    return clicksTaken.load(std::memory_order_acquire);
}

uint64_t WaitingMenu() {
    return waitingMenu.load();
}

}  // namespace StandardMenu
