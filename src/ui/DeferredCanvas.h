// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "draw/DrawCanvas.h"

#include <QSize>
#include <functional>

// The image control of a panel that is built on first use, as a drawing object sees it from the
// start. Until the panel exists the control's size is its size in the panel's design (which is
// all a drawing object's set-up reads); anything else builds the panel first. Once the panel is
// built (by the canvas or by the window) everything goes to its control.
class DeferredCanvas : public DrawCanvas {
public:
    // build: builds the panel and returns its control; called at most once.
    DeferredCanvas(QSize designSize, std::function<DrawCanvas &()> build)
        : designSize_(designSize), build_(std::move(build)) {}

    // The panel has been built: its control from now on.
    void attach(DrawCanvas &control) { control_ = &control; }

    QSize clientSize() const override { return control_ ? control_->clientSize() : designSize_; }
    qreal pixelRatio() const override { return control().pixelRatio(); }
    QImage &bitmap() override { return control().bitmap(); }
    void bitmapChanged() override { control().bitmapChanged(); }
    void setDescription(const QString &text) override { control().setDescription(text); }

private:
    DrawCanvas &control() const {
        if (!control_)
            control_ = &build_();
        return *control_;
    }

    QSize designSize_;
    std::function<DrawCanvas &()> build_;
    mutable DrawCanvas *control_ = nullptr;
};
