# bash completion for torvik-cli: its commands, each command's own options,
# the choices of --kind and --response, and recordings for the file operands.

_torvik_cli() {
  local cur prev command word
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}

  local -A options=(
    [info]=""
    [params]="--from --to --bound --codes --invert --cutoff --correct-speed"
    [events]="--from --to --bound --gap"
    [drops]="--from --to --fall-level --min-fall"
    [convert]=""
    [export]="--from --to --units"
    [report]="--from --to --bound --codes --invert --cutoff --correct-speed --gap --fall-level
              --min-fall --segment --band --fmin --fmax --per-octave --q"
    [filter]="--kind --response --order --f1 --f2 --rate --ripple --manual-reset --design"
    [psd]="--from --to --segment --band --csv"
    [srs]="--from --to --fmin --fmax --per-octave --q --csv"
  )
  local values="--from --to --bound --cutoff --gap --kind --response --order --f1 --f2 --rate
                --ripple --segment --band --fmin --fmax --per-octave --q --fall-level --min-fall"

  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    if [[ -n ${options[$word]+set} ]]; then
      command=$word
      break
    fi
  done

  case $prev in
    --kind) mapfile -t COMPREPLY < <(compgen -W "butterworth chebyshev bessel" -- "$cur"); return ;;
    --response)
      mapfile -t COMPREPLY < <(compgen -W "lowpass highpass bandpass bandstop" -- "$cur")
      return
      ;;
    --units) mapfile -t COMPREPLY < <(compgen -W "ms2 g" -- "$cur"); return ;;
  esac
  # A number follows an option that takes a value.
  [[ " ${values//$'\n'/ } " == *" $prev "* ]] && return

  if [[ -z $command ]]; then
    mapfile -t COMPREPLY < <(compgen -W "${!options[*]} --help --version" -- "$cur")
  elif [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "${options[$command]} --help" -- "$cur")
  elif [[ $command != filter ]]; then
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    compopt -o filenames 2>/dev/null
  fi
}
complete -F _torvik_cli torvik-cli
