#!/usr/bin/env bash
# Installs what is needed, builds the program, prepares the embedded demo
# database beside it and starts ZEL 4 on it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build-program.sh

bin=build/bin
mkdir -p "$bin/Data"
if "$bin/zel4-admin" help | grep -q '^  init-demo'; then
  if [ ! -f "$bin/Data/demo.db" ]; then
    "$bin/zel4-admin" init-demo "$bin/Data/demo.db" | tee "$bin/Data/demo-accounts.txt"
  else
    cat "$bin/Data/demo-accounts.txt" 2>/dev/null || true
  fi
  # init-demo prints the bootstrap command for its database; take its account.
  boot_login=$(sed -n 's/.*bootstrap --login \([^ ]*\) --password \([^ ]*\) .*/\1/p' "$bin/Data/demo-accounts.txt" | head -n1)
  boot_password=$(sed -n 's/.*bootstrap --login \([^ ]*\) --password \([^ ]*\) .*/\2/p' "$bin/Data/demo-accounts.txt" | head -n1)
  "$bin/zel4-admin" bootstrap --login "${boot_login:-zel_boot}" --password "${boot_password:-}" \
      --server demo.db --database ZEL --out "$bin/Data/ZEL"
fi

# Dates, calendars and the file dialog in Russian when the Russian locale exists.
if locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  export LANG=ru_RU.UTF-8
  unset LC_ALL
fi

# The printable card ("Отчёты") comes from the report server that row 22 of the
# demo database points at; it runs while the program runs.
report_pid=""
stop_report_server() {
  if [ -n "$report_pid" ]; then
    kill "$report_pid" 2>/dev/null || true
    wait "$report_pid" 2>/dev/null || true
  fi
}
if [ -f "$bin/Data/demo.db" ] && "$bin/zel4-admin" help | grep -q '^  report-server'; then
  # A demo database made before the report server existed still names a placeholder.
  admin_password=$(sed -n 's/^  zel_admin \/ \([^ ]*\) .*/\1/p' "$bin/Data/demo-accounts.txt" 2>/dev/null | head -n1)
  if [ -n "$admin_password" ]; then
    "$bin/zel4-admin" query --db "$bin/Data/demo.db" --login zel_admin --password "$admin_password" \
        "update VuzDefaults set n_field = 'http://127.0.0.1:8089' where id_vuz_defaults = 22 and n_field = 'http://reports.local'" \
        >/dev/null || true
  fi
  "$bin/zel4-admin" report-server --db "$bin/Data/demo.db" --listen 127.0.0.1:8089 &
  report_pid=$!
  trap stop_report_server EXIT
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting ZEL 4 under Xvfb."
  xvfb-run -a "$bin/zel4"
else
  "$bin/zel4"
fi
