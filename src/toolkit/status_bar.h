// TStatusBar: a bar of panels at the bottom of a form, or one simple text
// across it while SimplePanel is set.
#pragma once

#include "toolkit/collection.h"
#include "toolkit/win_control.h"

#include <memory>

namespace kvc {

class TStatusBar;

KVC_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised);
KVC_ENUM(TStatusPanelStyle, psText, psOwnerDraw);

class TStatusPanel : public TCollectionItem {
    KVC_CLASS(TStatusPanel, TCollectionItem)
public:
    const std::string& GetText() const { return text_; }
    void SetText(const std::string& value) { text_ = value; }
    int GetWidth() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    TStatusPanelBevel GetBevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value) { bevel_ = value; }
    TStatusPanelStyle GetStyle() const { return style_; }
    void SetStyle(TStatusPanelStyle value) { style_ = value; }
    void Assign(const TPersistent& source) override;

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TCollection {
    KVC_CLASS(TStatusPanels, TCollection)
public:
    TStatusPanels() : TCollection(TStatusPanel::StaticClassInfo()) {}
    TStatusPanel* Items(int index) const { return Item<TStatusPanel>(index); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
};

KVC_EVENT_TYPE(TDrawPanelEvent, TStatusBar*, TStatusPanel*, TRect);

class TStatusBar : public TWinControl {
    KVC_CLASS(TStatusBar, TWinControl)
public:
    TStatusBar();

    TStatusPanels* GetPanels() const { return panels_.get(); }
    bool GetSimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value) { simplePanel_ = value; }
    const std::string& GetSimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value) { simpleText_ = value; }
    bool GetSizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value) { sizeGrip_ = value; }
    bool GetAutoHint() const { return autoHint_; }
    void SetAutoHint(bool value) { autoHint_ = value; }
    // The rectangle of panel index in the bar's client area; the last panel
    // reaches the right edge.
    TRect PanelRect(int index) const;
    // What the bar shows: the simple text, or the panels' texts separated by "|".
    std::string DisplayText() const;

    TDrawPanelEvent OnDrawPanel;

private:
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    bool autoHint_ = false;
};

} // namespace kvc
