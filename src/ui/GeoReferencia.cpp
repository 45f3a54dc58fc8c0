#include "ui/GeoReferencia.h"

TGeoReferencia StateMapGeoRef;
double MarkerX = 0;
double MarkerY = 0;
