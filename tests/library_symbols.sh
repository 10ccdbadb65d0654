#!/usr/bin/env bash
# Every symbol the library defines for others to link against lives in
# namespace ip: no function or variable of ours in the global namespace,
# where it could clash with a user's own. Weak symbols (template and inline
# instantiations) are left out, and so are the few the linker itself puts
# into a shared library. Usage: library_symbols.sh BUILD_DIR SOURCE_DIR LIBRARY
set -u
library=${3:?library file}
[ -f "$library" ] || { echo "FAIL: $library has not been built"; exit 1; }

nm_flags=(-C --defined-only)
[[ "$library" == *.so* ]] && nm_flags+=(-D)
# Lines "ADDRESS TYPE NAME"; members of an archive also print their file names.
symbols=$(nm "${nm_flags[@]}" "$library" 2>/dev/null | awk '$2 ~ /^[TDBR]$/ { $1 = ""; $2 = ""; sub(/^  /, ""); print }')
ours=$(grep -c '^ip::' <<<"$symbols")
[ "$ours" -gt 0 ] || { echo "FAIL: no symbol under ip:: found in $library"; exit 1; }

# "typeinfo for ip::X", "vtable for ip::X", "guard variable for ip::x" belong to ip:: too.
outside=$(grep -v -E '^((typeinfo|typeinfo name|vtable|VTT|guard variable|construction vtable) for )?ip::' <<<"$symbols" |
  grep -v -x -E '_init|_fini|_edata|_end|__bss_start' || true)
if [ -n "$outside" ]; then
  echo "FAIL: symbols defined outside namespace ip in $library:"
  echo "$outside"
  exit 1
fi
echo "ok: $ours external symbols, all under ip::"
