inherited Form1: TForm1
  Caption = 'Derived'
  inherited Panel1: TPanel
    Left = 4
    inline Frame1: TPanel
      Left = 2
    end
  end
end
