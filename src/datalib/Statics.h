#pragma once
// The static set unit: the in-memory table, its stream format, and the file
// storage that keeps several tables in one compound file.
#include "datalib/AxStream.h"
#include "datalib/FileStorage.h"
#include "datalib/StaticSet.h"
#include "datalib/StaticSetContainer.h"
#include "datalib/StaticSetStream.h"
