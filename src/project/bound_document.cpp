#include "project/bound_document.h"

namespace yobina {

void BoundDocument::BeginDocument() {
  if (begun_) {
    target_.NewPage();  // a page with nothing drawn on it is not emitted
    target_.SetTextColor(0);
    return;
  }
  target_.SetDocumentTitle(title_);
  target_.ApplyPaperSetup(paper_);
  target_.BeginDocument();
  begun_ = true;
}

void BoundDocument::Close() {
  if (!begun_) return;
  begun_ = false;
  target_.EndDocument();
}

}  // namespace yobina
