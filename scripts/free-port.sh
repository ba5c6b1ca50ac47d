# Sourced: free_port prints the first port from 18080 on that nothing on
# 127.0.0.1 listens on.
free_port() {
  local port
  for port in $(seq 18080 18180); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return
    fi
  done
  echo "no free port between 18080 and 18180" >&2
  return 1
}
