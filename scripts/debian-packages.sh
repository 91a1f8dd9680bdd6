# Sourced by the set-up scripts: install_missing_packages NAME... installs those of the
# Debian packages NAME... that are not installed yet, as root or through sudo, without
# asking a question. It does nothing when every one is there.
install_missing_packages() {
    missing=""
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $package"
        fi
    done
    [ -n "$missing" ] || return 0
    echo "Installing:$missing"
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo apt-get update -qq
    # sudo starts its command with a clean environment, so the setting travels with env.
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}
