// Nightlatch's version, in one place: the version resource and the version
// text of the resources, the build and the packages read it here.
#pragma once

#define NIGHTLATCH_VERSION_TEXT "2.4.0.0"
#define NIGHTLATCH_VERSION_NUMBERS 2, 4, 0, 0
