// Image lists and animations as the model keeps them: how many images and of what size, which
// system animation plays. Not here: pixels, which only a desktop driver draws.
#pragma once

#include "platform/2_vcl/control.h"

namespace vcl {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner) : TComponent(AOwner) {}
    int Count() const { return count_; }
    void SetCount(int count) { count_ = count < 0 ? 0 : count; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height) { width_ = width, height_ = height; }

private:
    int count_ = 0;
    int width_ = 16, height_ = 16;
};

enum TCommonAVI {
    aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles,
    aviCopyFile, aviRecycleFile, aviEmptyRecycle, aviDeleteFile
};

class TAnimate : public TWinControl {
public:
    explicit TAnimate(TComponent* AOwner) : TWinControl(AOwner) {}
    TCommonAVI CommonAVI() const { return avi_; }
    void SetCommonAVI(TCommonAVI avi) { avi_ = avi; }
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    void Play() { active_ = true; }
    void Stop() { active_ = false; }

private:
    TCommonAVI avi_ = aviNone;
    bool active_ = false;
};

}  // namespace vcl
