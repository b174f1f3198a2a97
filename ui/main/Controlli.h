#pragma once

// The main window's own controls: the two text boxes, the line-length slider
// and the column ruler.
#include "CasellaTesto.h"
#include "Righello.h"
#include "SliderCaratteri.h"
