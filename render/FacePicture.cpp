#include "FacePicture.h"
