// The program's dialog templates and the builder that makes Qt widgets of
// them.
#pragma once

#include "ui/common/dialog_templates.h"
#include "ui/qt/dialog_template.h"
