#pragma once

// The label file's texts use the conversion the data sources share.
#include "merge/win1252.h"
