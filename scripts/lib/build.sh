# build_preset PRESET [TARGET...]: configures (with the options in BMT_CONFIGURE_ARGS, if any)
# and builds one preset (all targets when none are named), logging to build/configure-PRESET.log and build/build-PRESET.log; on failure prints
# the end of the log that says why and returns non-zero. Sourced by the scripts.
build_preset() {
  local preset="$1"
  shift
  local targets=()
  local t
  for t in "$@"; do targets+=(--target "$t"); done
  mkdir -p "$BMT_ROOT/build"
  # shellcheck disable=SC2086
  cmake --preset "$preset" ${BMT_CONFIGURE_ARGS:-} >"$BMT_ROOT/build/configure-$preset.log" 2>&1 || {
    echo "configuring $preset failed:"
    tail -n 40 "$BMT_ROOT/build/configure-$preset.log"
    return 1
  }
  cmake --build "$BMT_ROOT/build/$preset" -j2 "${targets[@]}" >"$BMT_ROOT/build/build-$preset.log" 2>&1 || {
    echo "building $preset failed:"
    tail -n 40 "$BMT_ROOT/build/build-$preset.log"
    return 1
  }
}
