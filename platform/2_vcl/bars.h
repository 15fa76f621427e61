// Status and tool bars: TStatusBar with one simple text, TToolBar holding TToolButtons that
// click without taking the focus. Not here: images themselves (images.h holds their lists).
#pragma once

#include "platform/2_vcl/control.h"
#include "platform/2_vcl/images.h"

namespace vcl {

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {}
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool simple) { simplePanel_ = simple; }
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(std::string_view text) { simpleText_ = text; }

private:
    bool simplePanel_ = false;
    std::string simpleText_;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner) : TWinControl(AOwner) {}
    // Watched: destroying the list leaves the bar without images.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TImageList* images_ = nullptr;
};

// A tool button is no windowed control: clicking it leaves the focus where it is.
class TToolButton : public TControl {
public:
    explicit TToolButton(TComponent* AOwner) : TControl(AOwner) {}
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }

private:
    int imageIndex_ = -1;
};

}  // namespace vcl
