#include "render/renderrun.h"

#include "document/labeldocument.h"

RenderRun::RenderRun(const ObjectTable& objects) : slots_(objects.usedSlots()) {}
