// Compiled only to make the shared precompiled header of its target.
