#include "toolkit/paint/render.h"

#include "toolkit/paint/painters.h"

#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace kvc {

namespace {

// Part of the class registry: the painter of each class by name, the
// toolkit's own to begin with; a class registered from outside the toolkit
// adds its painter, or replaces the toolkit's for that class.
class TPainterRegistry {
public:
    TPainterRegistry() {
        for (const auto& [name, painter] : StandardPainters()) {
            painters_.emplace(name, painter);
        }
    }
    void Add(std::string_view className, TControlPainter painter) {
        std::lock_guard lock(mutex_);
        painters_.insert_or_assign(std::string(className), painter);
    }
    TControlPainter Find(std::string_view className) const {
        std::lock_guard lock(mutex_);
        auto it = painters_.find(className);
        return it != painters_.end() ? it->second : nullptr;
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, TControlPainter, std::less<>> painters_;
};

TPainterRegistry& Painters() {
    static TPainterRegistry registry;
    return registry;
}

} // namespace

void RegisterPainter(const TClassInfo& info, TControlPainter painter) {
    Painters().Add(info.Name(), painter);
}

TControlPainter FindPainter(const TControl& control) {
    for (const TClassInfo* info = &control.ClassType(); info != nullptr; info = info->Parent()) {
        if (TControlPainter painter = Painters().Find(info->Name())) {
            return painter;
        }
    }
    return nullptr;
}

TPoint ClientOrigin(const TCustomForm& form) {
    TRect client = form.ClientRect();
    int frame = (form.GetWidth() - client.Width()) / 2;
    int caption = form.GetHeight() - client.Height() - 2 * frame;
    return {frame, frame + caption};
}

namespace {

// The canvas state a painter may change, put back for the next control.
class TCanvasState {
public:
    explicit TCanvasState(TCanvas& canvas)
        : canvas_(canvas), origin_(canvas.Origin()), clip_(canvas.ClipRect()), brush_(canvas.Brush),
          pen_(canvas.Pen), mode_(canvas.CopyMode) {}
    ~TCanvasState() {
        canvas_.SetOrigin(origin_);
        canvas_.SetClipRect(clip_);
        canvas_.Brush = brush_;
        canvas_.Pen = pen_;
        canvas_.CopyMode = mode_;
    }
    TCanvasState(const TCanvasState&) = delete;
    TCanvasState& operator=(const TCanvasState&) = delete;

private:
    TCanvas& canvas_;
    TPoint origin_;
    TRect clip_;
    TBrush brush_;
    TPen pen_;
    TCopyMode mode_;
};

} // namespace

void PaintControlTree(TControl& control, TCanvas& canvas, int x, int y) {
    TCanvasState state(canvas);
    TPoint origin = canvas.Origin();
    canvas.SetOrigin({origin.X + x, origin.Y + y});
    canvas.IntersectClipRect({0, 0, control.GetWidth(), control.GetHeight()});
    if (IsRectEmpty(canvas.ClipRect())) {
        return;
    }
    canvas.Font.Assign(*control.GetFont());
    if (TControlPainter painter = FindPainter(control)) {
        painter(control, canvas);
    }
    auto* win = As<TWinControl>(&control);
    if (win == nullptr) {
        return;
    }
    TPoint child{0, 0};
    if (auto* form = As<TCustomForm>(win)) {
        child = ClientOrigin(*form);
        TRect client = form->ClientRect();
        canvas.IntersectClipRect(OffsetRect(client, child.X, child.Y));
    }
    // Controls without a window of their own lie under the windowed ones.
    for (bool windowed : {false, true}) {
        for (int i = 0; i < win->ControlCount(); ++i) {
            TControl* c = win->Controls(i);
            if (c->GetVisible() && c->IsWindowed() == windowed) {
                PaintControlTree(*c, canvas, child.X + c->GetLeft(), child.Y + c->GetTop());
            }
        }
    }
}

void RenderInto(TCustomForm& form, TBitmap& bitmap, const TRect* updateRect) {
    if (bitmap.GetWidth() != form.GetWidth() || bitmap.GetHeight() != form.GetHeight()) {
        bitmap.SetSize(form.GetWidth(), form.GetHeight());
        updateRect = nullptr;
    }
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetOrigin({0, 0});
    canvas.ResetClip();
    if (updateRect != nullptr) {
        canvas.SetClipRect(*updateRect);
    }
    PaintControlTree(form, canvas, 0, 0);
    canvas.ResetClip();
}

std::unique_ptr<TBitmap> RenderToBitmap(TCustomForm& form) {
    auto bitmap = std::make_unique<TBitmap>(form.GetWidth(), form.GetHeight());
    bitmap->SetPixelFormat(pf24bit);
    RenderInto(form, *bitmap);
    return bitmap;
}

void SaveToPng(TCustomForm& form, const std::string& path) {
    RenderToBitmap(form)->SaveToFile(path);
}

} // namespace kvc
