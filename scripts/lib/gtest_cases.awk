# Reads a verbose ctest log of GoogleTest programs (each output line prefixed "N: ") and prints
# "passed failed": the cases each program reported; a program that ended without its report
# (a crash, a timeout) counts as one failed case.
/^[0-9]+: \[  PASSED  \] [0-9]+ tests?\./ {
  n = $0; sub(/^[0-9]+: \[  PASSED  \] /, "", n); passed += n + 0
}
/^[0-9]+: \[  FAILED  \] [0-9]+ tests?, listed below/ {
  n = $0; sub(/^[0-9]+: \[  FAILED  \] /, "", n); failed += n + 0
}
/^[0-9]+: \[==========\] [0-9]+ tests? from .* ran\./ {
  id = $0; sub(/:.*/, "", id); reported[id] = 1
}
/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
  id = $0; sub(/^.*Test +#/, "", id); sub(/:.*/, "", id)
  if ($0 !~ /Passed/ && !(id in reported)) failed += 1
}
END { print passed + 0, failed + 0 }
