#pragma once
// Everything of the data tree in one include.

#include "data_array.h"
#include "data_file.h"
#include "data_map.h"
#include "data_node.h"
#include "data_number.h"
#include "data_ref.h"
#include "data_text.h"
#include "whole_file.h"
