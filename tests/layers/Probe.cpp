// Compiled by the layer tests with one header: a header of a layer the
// probe's library may use compiles, one of a layer above it must not.
#include PM_PROBE_HEADER
