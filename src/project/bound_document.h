// Several printed documents bound into one: the first one's start begins the
// document, every later start only turns the page, and the document ends when
// Close() is called. One title and one paper for all: what the documents ask
// for themselves is ignored, since paper cannot change within a document.
#pragma once

#include <string>
#include <utility>

#include "graph/print_device.h"

namespace yobina {

class BoundDocument : public PrintDevice {
 public:
  BoundDocument(PrintDevice& target, std::string title, TPaperSetup paper)
      : target_(target), title_(std::move(title)), paper_(paper) {}

  // Ends the bound document, if one began. Device failures propagate.
  void Close();

  void SetDocumentTitle(const std::string&) override {}
  void ApplyPaperSetup(const TPaperSetup&) override {}
  void BeginDocument() override;
  void NewPage() override { target_.NewPage(); }
  void EndDocument() override {}

  int32_t PageWidthDots() const override { return target_.PageWidthDots(); }
  int32_t PageHeightDots() const override { return target_.PageHeightDots(); }
  int32_t VerticalDpi() const override { return target_.VerticalDpi(); }
  void SelectFont(const TLogFont& font) override { target_.SelectFont(font); }
  void SetTextColor(uint32_t colorRef) override { target_.SetTextColor(colorRef); }
  void SetTransparentBackground() override { target_.SetTransparentBackground(); }
  void DrawText(int32_t x, int32_t y, const std::string& text) override { target_.DrawText(x, y, text); }
  void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colorRef) override {
    target_.FillRect(left, top, right, bottom, colorRef);
  }
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                uint32_t colorRef) override {
    target_.DrawLine(x1, y1, x2, y2, widthDots, colorRef);
  }

 private:
  PrintDevice& target_;
  std::string title_;
  TPaperSetup paper_;
  bool begun_ = false;
};

}  // namespace yobina
