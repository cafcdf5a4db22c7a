// The one source of a precompiled header's host target: the header is what it builds.
