object F: TForm
  object A: TLabel
    Width = 999
    Height = 99
    Caption = 'Hi'
    Font.Height = -20
  end
  object B: TLabel
    Width = 999
    Height = 99
    AutoSize = False
    Caption = 'Hi'
  end
end
