#pragma once
// Unit-level values of the query window: the geo-reference of the state map
// shown and the marker position. They live for the whole run and are shared
// by every window instance.
#include "database/GeoReferencia.h"

extern TGeoReferencia StateMapGeoRef;
extern double MarkerX;
extern double MarkerY;
