// The input page and the job document, one into the other.
#pragma once

#include "file/input_page.h"
#include "job/job_document.h"

namespace yobina {

// Every field, the trial choice and every data cell of the page. A page with
// fewer data rows than a document holds gives blank rows for the rest.
JobDocument ReadDocument(const InputPage& page);

// The document's fields, trial choice and rows onto the page; rows the page
// lacks room for are left out. What already reads the same is not set again.
void WriteDocument(const JobDocument& document, InputPage& page);

}  // namespace yobina
